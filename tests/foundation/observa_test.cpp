#include "foundation/observa.h"
#include "platform/Error.h"
#include "platform/db/Orden.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <functional>

namespace {

const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");

struct Fila {
  QString clave, tipo, texto;
  bool operator==(const Fila&) const = default;
};

void PrintTo(const Fila& f, std::ostream* os) {
  *os << "{" << f.clave.toStdString() << "," << f.tipo.toStdString() << "," << f.texto.toStdString() << "}";
}

class ObservaTest : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    // The owner's rows are reached through the CLDOC_FO tag.
    fs::CreaCarpeta(kDatos);
    Prepara();
  }

  // factuobs.dbf made anew with the initial rows.
  static void Prepara() {
    db::Tabla::Crea(kDatos, "factuobs.dbf", {{"CLDOC_FO", 'C', 20, 0}, {"TIDOC_FO", 'C', 2, 0}, {"OBSER_FO", 'C', 100, 0}},
                    {{"CLDOC_FO", "CLDOC_FO"}});
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("factuobs.dbf");
    t.Open();
    for (const Fila& f : kIniciales) {
      t.Append();
      t.FieldByName("CLDOC_FO").SetAsString(f.clave);
      t.FieldByName("TIDOC_FO").SetAsString(f.tipo);
      t.FieldByName("OBSER_FO").SetAsString(f.texto);
      t.Post();
    }
  }

  // Every row left in the table, in physical order.
  static QVector<Fila> Filas() {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla("factuobs.dbf");
    t.Open();
    QVector<Fila> r;
    for (t.First(); !t.Eof(); t.Next())
      r.push_back({t.FieldByName("CLDOC_FO").AsString(), t.FieldByName("TIDOC_FO").AsString(),
                   t.FieldByName("OBSER_FO").AsString()});
    return r;
  }

  // Rows of other owners, which no case may touch.
  static QVector<Fila> Ajenas(const QString& clave, const QString& tipo) {
    QVector<Fila> r;
    for (const Fila& f : Filas())
      if (f.clave != clave || f.tipo != tipo) r.push_back(f);
    return r;
  }

  // Opens the observations as a user would and returns the memo's text;
  // `accion` acts on the window (by default it cancels).
  static QString Edita(const QString& clave, const QString& tipo,
                       std::function<void(TFormaObservaciones&)> accion = {}) {
    QString mostrado = "sin mostrar";
    ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) {
      auto& f = static_cast<TFormaObservaciones&>(d);
      mostrado = f.Observacion->toPlainText();
      if (accion) accion(f);
      else prueba::Pulsa(f, "BitBtn2");
    });
    EditaObservaciones(clave, tipo, kDatos);
    return mostrado;
  }

  static std::function<void(TFormaObservaciones&)> Guarda(const QString& texto) {
    return [texto](TFormaObservaciones& f) {
      f.Observacion->setPlainText(texto);
      prueba::Pulsa(f, "BitBtn1");
    };
  }

  inline static const QVector<Fila> kIniciales = {
      {"12", "MI", "Entrega parcial"}, {"12", "IN", "Nota del producto 12"}, {"120", "MI", "Otro documento"},
      {"12", "MI", "Revisar la caja 3"}, {"1", "MI", "Documento uno"},
  };
};

}  // namespace

TEST_F(ObservaTest, SoloSeMuestranLasFilasDeLaClaveYElTipo) {
  struct Caso { QString clave, tipo, memo; };
  const Caso casos[] = {
      {"12", "MI", "Entrega parcial\nRevisar la caja 3"},
      {"12", "IN", "Nota del producto 12"},
      {"12", "MIR", "Entrega parcial\nRevisar la caja 3"},  // the kind's first two letters
      {"1", "MI", "Documento uno"},
      {"12", "CL", ""},
      {"99", "MI", ""},
  };
  for (const Caso& c : casos) EXPECT_EQ(Edita(c.clave, c.tipo), c.memo) << c.clave.toStdString() << c.tipo.toStdString();
  EXPECT_EQ(Filas(), kIniciales);  // cancelled: nothing written
}

TEST_F(ObservaTest, GuardarReemplazaLasLineasDelDueno) {
  const QString largo = QString("Llamar al proveedor ").repeated(7) + "antes del viernes";  // 157 characters
  struct Caso { const char* nombre; QString clave, tipo, memo, leido; };
  const Caso casos[] = {
      {"tres líneas", "12", "MI", "Uno\nDos\nTres", "Uno\nDos\nTres"},
      {"salto final", "12", "MI", "Uno\nDos\n", "Uno\nDos"},
      {"línea vacía en medio", "12", "MI", "Uno\n\nTres", "Uno\n\nTres"},
      {"memo vacío", "12", "MI", "", ""},
      {"dueño sin filas", "77", "VE", "Vendedor nuevo\nZona norte", "Vendedor nuevo\nZona norte"},
      {"línea más larga que el campo", "12", "IN", largo,
       QString("Llamar al proveedor ").repeated(5).trimmed() + "\nLlamar al proveedor Llamar al proveedor antes del viernes"},
  };
  for (const Caso& c : casos) {
    Prepara();
    const QVector<Fila> ajenas = Ajenas(c.clave, c.tipo);
    Edita(c.clave, c.tipo, Guarda(c.memo));
    EXPECT_EQ(Edita(c.clave, c.tipo), c.leido) << c.nombre;
    EXPECT_EQ(Ajenas(c.clave, c.tipo), ajenas) << c.nombre;
  }
}

TEST_F(ObservaTest, UnFalloAMitadDeGuardarDejaLasLineasViejas) {
  // Another station is editing the first old line: it cannot be removed.
  db::Tabla otra;
  otra.SetCarpeta(kDatos);
  otra.SetNombreTabla("factuobs.dbf");
  otra.Open();
  otra.First();
  ASSERT_EQ(otra.FieldByName("OBSER_FO").AsString(), "Entrega parcial");
  otra.Edit();

  const QVector<Fila> ajenas = Ajenas("12", "MI");
  QString deNuevo;
  ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) { Guarda("Uno\nDos\nTres")(static_cast<TFormaObservaciones&>(d)); });
  ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog& d) {
    // Shown again after the error, with the text typed.
    deNuevo = static_cast<TFormaObservaciones&>(d).Observacion->toPlainText();
    prueba::Pulsa(d, "BitBtn2");
  });
  EditaObservaciones("12", "MI", kDatos);
  EXPECT_EQ(deNuevo, "Uno\nDos\nTres");
  ASSERT_EQ(Mensajes().size(), 1);
  EXPECT_TRUE(Mensajes()[0].contains("bloqueado")) << Mensajes()[0].toStdString();

  EXPECT_EQ(Ajenas("12", "MI"), ajenas);
  otra.Cancel();
  EXPECT_EQ(Edita("12", "MI"), "Entrega parcial\nRevisar la caja 3");
  QVector<Fila> propias;
  for (const Fila& f : Filas())
    if (f.clave == "12" && f.tipo == "MI") propias.push_back(f);
  EXPECT_EQ(propias.size(), 2);

  // Once the other station lets go, the same save goes through.
  Edita("12", "MI", Guarda("Uno\nDos\nTres"));
  EXPECT_EQ(Edita("12", "MI"), "Uno\nDos\nTres");
}

using ObservacionesTest = RaizPrueba;

TEST_F(ObservacionesTest, SinTablaElErrorLlegaAlLlamador) {
  EXPECT_THROW(EditaObservaciones("12", "MI", "C:\\VRL\\OTRA"), plat::Error);
}

TEST_F(ObservacionesTest, VentanaDeBitacora) {
  TFormaObservaciones forma;
  EXPECT_EQ(forma.windowTitle(), "Observaciones");
  forma.setWindowTitle("Bitacora");
  forma.BitBtn1->hide();
  ui::PuertaModal::Espera("TFormaObservaciones", [&](QDialog&) {
    EXPECT_EQ(forma.Observacion->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xCE));
    EXPECT_TRUE(forma.Observacion->font().bold());
    EXPECT_EQ(forma.Observacion->font().pointSize(), 10);
    prueba::Tecla(forma, "Observacion", Qt::Key_Escape);  // as "Cancelar"
    EXPECT_FALSE(forma.isVisible());
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 0);
}
