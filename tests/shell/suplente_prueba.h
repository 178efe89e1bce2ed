#pragma once
// A module's window as the main menu's openers see it, standing in for the
// windows of later subsystems: the hidden labels the openers fill (Usuario,
// usuario, LabelRuta), the components they hide or show, a table that a
// change of company closes, and what the window held when it was shown.

#include "platform/db/Tabla.h"
#include "platform/ui/Forma.h"

#include <QLabel>
#include <QPushButton>

class VentanaSuplente : public ui::Forma {
  Q_OBJECT
 public:
  explicit VentanaSuplente(const QString& titulo = QStringLiteral("Suplente")) {
    setWindowTitle(titulo);
    const auto etiqueta = [this](const char* nombre) {
      auto* l = new QLabel(QStringLiteral("?"), this);
      l->setObjectName(QString::fromLatin1(nombre));
      l->hide();
      return l;
    };
    Usuario = etiqueta("Usuario");
    usuario = etiqueta("usuario");
    LabelRuta = etiqueta("LabelRuta");
    const auto boton = [this](const char* nombre) {
      auto* b = new QPushButton(QString::fromLatin1(nombre), this);
      b->setObjectName(QString::fromLatin1(nombre));
      return b;
    };
    Saldo = boton("Saldo");
    BotonPagos = boton("BotonPagos");
    BotonNuevo = boton("BotonNuevo");
    BotonNuevo->hide();
    Rangos = boton("Rangos");
    Formatos = boton("Formatos");
    Formatos->hide();
    Tabla = new db::Tabla(this);
  }
  ~VentanaSuplente() override {
    ++Liberadas();
    EtiquetasAlLiberar() = Usuario->text() + "|" + usuario->text();
  }

  // Opens a table of its own, as the catalogue windows hold theirs.
  void AbreTabla(const QString& carpeta, const QString& archivo) {
    Tabla->SetCarpeta(carpeta);
    Tabla->SetNombreTabla(archivo);
    Tabla->Open();
  }

  // Windows of this class freed so far, and the texts of the last one's
  // Usuario and usuario labels then ("Usuario|usuario").
  static int& Liberadas() {
    static int n = 0;
    return n;
  }
  static QString& EtiquetasAlLiberar() {
    static QString texto;
    return texto;
  }

  QLabel* Usuario;
  QLabel* usuario;
  QLabel* LabelRuta;
  QPushButton* Saldo;
  QPushButton* BotonPagos;
  QPushButton* BotonNuevo;
  QPushButton* Rangos;
  QPushButton* Formatos;
  db::Tabla* Tabla;
  int cierres = 0;

 protected:
  void FormClose() override { ++cierres; }
};
