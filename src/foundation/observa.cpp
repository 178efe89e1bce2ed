#include "foundation/observa.h"

#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace {

const QString kIndice = QStringLiteral("CLDOC_FO");

// A line cut into pieces of at most `ancho` characters, at the last blank
// that allows it (the blank is dropped), else at the width.
QStringList Trozos(QString linea, int ancho) {
  QStringList trozos;
  while (ancho > 0 && linea.size() > ancho) {
    const qsizetype blanco = linea.lastIndexOf(u' ', ancho);
    if (blanco > 0) {
      trozos << linea.left(blanco);
      linea = linea.mid(blanco + 1);
    } else {
      trozos << linea.left(ancho);
      linea = linea.mid(ancho);
    }
  }
  trozos << linea;
  return trozos;
}

// One owner's rows in factuobs.dbf: the table restricted to the key and
// filtered on the kind.
class Observaciones {
 public:
  Observaciones(const QString& carpeta, const QString& clave, const QString& tipo) : clave_(clave), tipo_(tipo) {
    tabla_.SetCarpeta(carpeta);
    tabla_.SetNombreTabla(kTablaObservaciones);
    tabla_.SetIndexName(kIndice);
    tabla_.Open();
    tabla_.SetRange({clave}, {clave});
    tabla_.SetFilter(QStringLiteral("TIDOC_FO=") + db::LiteralApostrofos(tipo));
    tabla_.SetFiltered(true);
  }

  struct Fila {
    qint64 registro;
    QString texto;
  };

  QVector<Fila> Filas() {
    QVector<Fila> filas;
    for (tabla_.First(); !tabla_.Eof(); tabla_.Next())
      filas.push_back({tabla_.RecNo(), tabla_.FieldByName(QStringLiteral("OBSER_FO")).AsString()});
    return filas;
  }

  // Replaces the rows `viejas` by one row per line.
  void Reemplaza(const QVector<Fila>& viejas, const QStringList& lineas) {
    const int ancho = tabla_.FieldByName(QStringLiteral("OBSER_FO")).Ancho();
    QStringList textos;
    for (const QString& l : lineas) textos << Trozos(l, ancho);

    QVector<qint64> nuevas;
    try {
      for (const QString& t : textos) nuevas << Agrega(t);
    } catch (...) {
      if (tabla_.State() == db::Dataset::Estado::Insertando) tabla_.Cancel();
      Retira(nuevas);
      throw;
    }

    // The old rows go from the last one up: after a failure the ones left
    // are the first ones, and the ones put back follow them in order.
    QStringList quitadas;
    try {
      for (qsizetype i = viejas.size() - 1; i >= 0; --i) {
        if (VeA(viejas[i].registro)) tabla_.Delete();
        quitadas.prepend(viejas[i].texto);
      }
    } catch (...) {
      Retira(nuevas);
      for (const QString& t : quitadas) {
        try {
          Agrega(t);
        } catch (...) {
          if (tabla_.State() == db::Dataset::Estado::Insertando) tabla_.Cancel();
        }
      }
      throw;
    }
  }

 private:
  qint64 Agrega(const QString& texto) {
    tabla_.Append();
    tabla_.FieldByName(QStringLiteral("CLDOC_FO")).SetAsString(clave_);
    tabla_.FieldByName(QStringLiteral("TIDOC_FO")).SetAsString(tipo_);
    tabla_.FieldByName(QStringLiteral("OBSER_FO")).SetAsString(texto);
    tabla_.Post();
    return tabla_.RecNo();
  }

  bool VeA(qint64 registro) {
    for (tabla_.First(); !tabla_.Eof(); tabla_.Next())
      if (tabla_.RecNo() == registro) return true;
    return false;
  }

  // Takes out rows written by a save that failed; this runs while another
  // error is on its way to the user, so its own failures are not reported.
  void Retira(const QVector<qint64>& registros) {
    for (qint64 r : registros) {
      try {
        if (VeA(r)) tabla_.Delete();
      } catch (const plat::Error&) {
      }
    }
  }

  db::Tabla tabla_;
  QString clave_;
  QString tipo_;
};

}  // namespace

TFormaObservaciones::TFormaObservaciones(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaObservaciones>() = this;
  setObjectName(QStringLiteral("FormaObservaciones"));
  setWindowTitle(QStringLiteral("Observaciones"));
  resize(460, 300);

  Observacion = new QPlainTextEdit(this);
  Observacion->setObjectName(QStringLiteral("Observacion"));
  Observacion->setGeometry(8, 8, 444, 240);

  BitBtn1 = new QPushButton(QStringLiteral("&Guardar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(132, 258, 90, 30);
  BitBtn1->setAutoDefault(false);
  BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(238, 258, 90, 30);
  BitBtn2->setAutoDefault(false);
  BitBtn2->setProperty("Cancel", true);  // Esc answers as "Cancelar"

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormaObservaciones::FormShow() {
  if (windowTitle() != QStringLiteral("Bitacora")) return;
  QPalette colores = Observacion->palette();
  colores.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xCE));
  Observacion->setPalette(colores);
  QFont letra(QStringLiteral("Arial"), 10);
  letra.setBold(true);
  Observacion->setFont(letra);
}

void TFormaObservaciones::BitBtn1Click() {
  SetTag(1);
  Close();
}

void TFormaObservaciones::BitBtn2Click() {
  SetTag(0);
  Close();
}

void EditaObservaciones(const QString& clave, const QString& tipo, const QString& carpeta) {
  const QString tipoCorto = tipo.left(2);
  Observaciones observaciones(carpeta, clave, tipoCorto);
  QVector<Observaciones::Fila> filas = observaciones.Filas();

  TFormaObservaciones forma;
  forma.SetTag(0);
  QStringList lineas;
  for (const auto& f : filas) lineas << f.texto;
  forma.Observacion->setPlainText(lineas.join(u'\n'));

  for (;;) {
    forma.ShowModal();
    if (forma.Tag() != 1) return;
    try {
      observaciones.Reemplaza(filas, LineasDeTexto(forma.Observacion->toPlainText()));
      return;
    } catch (const plat::Error& e) {
      // The owner still has its old lines; the text typed is still there
      // to be saved again or dropped.
      ui::MuestraExcepcion(e);
      forma.SetTag(0);
      filas = observaciones.Filas();
    }
  }
}

void MuestraArchivoBitacora(QWidget* owner, const QString& ruta) {
  QStringList lineas;
  try {
    lineas = fs::LeeLineas(ruta);
  } catch (const plat::Error&) {
    return;
  }
  TFormaObservaciones visor(owner);
  visor.setWindowTitle(QStringLiteral("Bitacora"));
  visor.BitBtn1->hide();
  visor.Observacion->setReadOnly(true);
  visor.Observacion->setPlainText(lineas.join(u'\n'));
  visor.ShowModal();
}
