// The display of the product window's current product: the boxes that are
// not bound to the table, the picture, the package and cost labels, the
// stock colour and the stock warnings; and the report tax rate read at show.

#include "inventory/Inven.h"

#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "reports/ProtocoloReporte.h"
#include "shell/LineasConfiguracion.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

QString Texto(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsString(); }
double Numero(const db::Dataset& d, const char* campo) { return d.FieldByName(QString::fromLatin1(campo)).AsFloat(); }

// A date and time kept as days since 30/12/1899 with the fraction of the day.
QString TextoFechaHoraNumero(const db::Campo& campo) {
  if (campo.IsNull()) return {};
  const QDateTime origen(QDate(1899, 12, 30), QTime(0, 0));
  return TextoFechaHora(origen.addMSecs(std::llround(campo.AsFloat() * 86400000.0)));
}

void PintaTexto(QWidget* caja, const QColor& color) {
  QPalette p = caja->palette();
  p.setColor(QPalette::Text, color);
  caja->setPalette(p);
}

}  // namespace

void TFormaInventario::MuestraProducto() {
  db::Tabla& t = *TablaInventario;
  if (!t.Active() || t.IsEmpty()) {
    EditCLPRO_I->clear();
    Series->setChecked(false);
    Kit->setChecked(false);
    PanelImagen->SetCaption(kSinImagenPanel);
    MuestraExistencia();
    LabelUsado->clear();
    CxEmpaque->clear();
    return;
  }
  EditCLPRO_I->setText(Texto(t, "CLPRO_I"));
  Series->setChecked(Texto(t, "SERIE_I") == u"S");
  Kit->setChecked(Texto(t, "KITXX_I") == u"S");
  PanelImagen->SetCaption(Texto(t, "IMAGE_I"));
  MuestraExistencia();
  if (Texto(t, "ALMAC_I").isEmpty() && t.State() == db::Dataset::Estado::Navegando) {
    t.Edit();
    t.FieldByName(QStringLiteral("ALMAC_I")).SetAsString(QStringLiteral("1"));
    t.Post();
  }
  LabelUsado->setText(TextoFechaHoraNumero(t.FieldByName(QStringLiteral("HORAF_F"))));
  CxEmpaque->setText(QStringLiteral("Cost x Emp ") +
                     FormatoMascara(QStringLiteral("###,#0.00"), Numero(t, "UEMPA_I") * Numero(t, "ULCOS_I")));
  MuestraCostoConDescuentos();
}

void TFormaInventario::MuestraExistencia() {
  db::Tabla& t = *TablaInventario;
  EtiquetaEmpaque->clear();
  if (!t.Active() || t.IsEmpty()) {
    PintaTexto(EditEXIST_I, Qt::black);
    return;
  }
  QString negativas;
  LeeLineaConfig(ConfExistenciasNegativas, negativas);
  // The 0 is written only over a stock still negative under the row's
  // lock: another station's raise since the row was read stays. A row held
  // elsewhere past the wait is shown as it is, to be set at its next showing.
  if (Numero(t, "EXIST_I") < 0 && negativas.startsWith(u'N') && t.State() == db::Dataset::Estado::Navegando) {
    try {
      AnulaExistenciaNegativa(t);
    } catch (const plat::Error&) {
    }
  }
  const double existencia = Numero(t, "EXIST_I");
  const double empaque = Numero(t, "UEMPA_I");
  if (empaque > 0)
    EtiquetaEmpaque->setText(QStringLiteral("EMPAQUES ") +
                             FormatoImporte(QStringLiteral("###,###,##0.00"), Dinero::DeReal(existencia / empaque).Texto()));

  // The picture; a product without one shows blanco.bmp of the current
  // folder, or none.
  const QString imagen = Texto(t, "IMAGE_I");
  if (!imagen.isEmpty()) {
    if (fs::ExisteArchivo(imagen)) {
      try {
        Imagen->setPixmap(QPixmap::fromImage(print::LeeImagen(fs::Local(imagen))));
        Imagen->show();
      } catch (const std::exception&) {
        Imagen->hide();
      }
      PanelImagen->SetCaption(imagen);
    } else {
      Imagen->hide();
      PanelImagen->SetCaption(kSinImagenPanel);
    }
  } else {
    Imagen->clear();
    const QString blanco = QDir::current().filePath(QStringLiteral("blanco.bmp"));
    if (QFileInfo::exists(blanco)) {
      try {
        Imagen->setPixmap(QPixmap::fromImage(print::LeeImagen(blanco)));
      } catch (const std::exception&) {
      }
    }
  }

  PintaTexto(EditEXIST_I, existencia < 0 ? Qt::red : Qt::black);

  if (Nuevo() || !ChecarStocks1->isChecked()) return;
  const db::Dataset& r = Registro();
  const double minimo = Numero(r, "STMIN_I"), maximo = Numero(r, "STMAX_I"), actual = Numero(r, "EXIST_I");
  if (minimo > actual && minimo != 0)
    MuestraMensaje(QStringLiteral("El Producto Esta por Debajo de su Stock Mínimo ") + TextoReal(minimo) +
                   QStringLiteral(" Existencias ") + TextoReal(actual));
  if (maximo < actual && maximo != 0)
    MuestraMensaje(QStringLiteral("El Producto Esta por Arriba de su Stock Máximo ") + TextoReal(maximo) +
                   QStringLiteral(" Existencias ") + TextoReal(actual));
}

void LeeTasaImpuesto() {
  TasaImpuestoReporte = 0;
  try {
    QString datos;
    LeeLineaConfig(ConfCarpetaDatos, datos);
    const QString archivo = fs::Une(datos, QStringLiteral("impuesto.cnf"));
    if (!fs::ExisteArchivo(archivo)) return;
    double tasa = 0;
    if (LeeReal(fs::LeeLinea(archivo, 1).value_or(QString()), tasa)) TasaImpuestoReporte = tasa;
  } catch (const std::exception&) {
  }
}
