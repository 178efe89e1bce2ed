#include "salesdocs/CopiaDocumento.h"

#include "foundation/advierte.h"
#include "foundation/buscar.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "salesdocs/BuferVenta.h"
#include "shell/LugarTablas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

bool ConfirmaCopiaDocumento(QWidget* padre, const QString& numero) {
  TFormaAdvertencia confirma(padre);
  confirma.Label1->setText(QStringLiteral("Esta Seguro que Desea UNA COPIA EXACTA DEL DOCUMENTO ") + numero +
                           QStringLiteral(" ?"));
  confirma.ShowModal();
  return confirma.Tag() == 1;
}

void CopiadeDocumento1Click(TFormaCapturaRapida& p) {
  if (!ConfirmaCopiaDocumento(&p, p.EditCLDOC_F->text())) return;
  p.LineasDeRango = false;
  p.DocumentoOrigen = CodigoOrigen(p.Base->currentText(), p.EditCLDOC_F->text());
  GuardaVentaEnBufer(p, u'R');
  CargaVentaDeBufer(p, u'R');
  p.HabilitaCaptura();
  p.EditCLDOC_F->setFocus(Qt::OtherFocusReason);
  p.DocumentoNuevo = true;
  EditaFila(*p.TablaFacturae);
  p.HabilitaBotonesCaptura(false, false, true, true, false, false, false);
}

void Reproducir1Click(TFormaCapturaRapida& p) {
  p.FactorPrecioPago = 1.0;
  const QString cliente = p.EditCLCLI_F->text();
  p.DocumentoOrigen = CodigoOrigen(p.Base->currentText(), p.EditCLDOC_F->text());
  GuardaVentaEnBufer(p, u'R');
  // The row for the next entry.
  db::Tabla& captura = *p.TablaDeta;
  captura.Append();
  captura.FieldByName(QStringLiteral("CANTIDAD")).SetAsString(QStringLiteral("1"));
  captura.Post();
  if (!p.IniciaDocumentoConservandoPartidas()) return;
  p.EditCLCLI_F->setText(cliente);
  EditaFila(*p.TablaFacturae);
  p.TablaFacturae->FieldByName(QStringLiteral("CLCLI_F")).SetAsString(cliente);
  p.EditCLCLI_F->setFocus(Qt::OtherFocusReason);
  if (p.OpcionSaltarEncabezado) {
    p.EditCLCLI_FExit();
    EditaFila(captura);
    p.EditCantidad->setText(QStringLiteral("1"));
    if (p.OpcionIniciaEnClave) {
      p.EditClave->setFocus(Qt::OtherFocusReason);
    } else {
      p.EditCantidad->setFocus(Qt::OtherFocusReason);
      p.EditCantidad->selectAll();
    }
  }
  if (p.IniciaenVendedor1->isChecked()) p.EditCLVEN_F->setFocus(Qt::OtherFocusReason);
}

namespace {

const QString kCotizaciones = QStringLiteral("Cotizar.DBF");
const QString kPartidasCotizacion = QStringLiteral("CotizarD.dbf");

}  // namespace

void CargaPartidasCotizacion(TFormaCapturaRapida& p, const QString& numero) {
  db::Tabla lineas;
  lineas.SetReadOnly(true);
  ApuntaTabla(lineas, kPartidasCotizacion);
  lineas.SetIndexName(QStringLiteral("CLDOC_FD"));
  lineas.Open();
  bool ok = false;
  const qint64 n = numero.trimmed().toLongLong(&ok);
  p.CargaPartidasDe(lineas, ok ? n : 0);
}

void ImportarCotizacin1Click(TFormaCapturaRapida& p) {
  TFormaBusqueda busqueda(&p);
  busqueda.Clave->setText(QStringLiteral("Por Documento (F1)"));
  busqueda.ShowModal();
  const QString texto = busqueda.CajaBuscar->text().trimmed();
  if (texto.isEmpty()) return;
  bool ok = false;
  const qint64 numero = texto.toLongLong(&ok);
  if (!ok) return;

  db::Tabla cotizaciones;
  cotizaciones.SetReadOnly(true);
  ApuntaTabla(cotizaciones, kCotizaciones);
  cotizaciones.SetIndexName(QStringLiteral("INUMENC"));
  cotizaciones.Open();
  if (!cotizaciones.FindKey({numero})) return;

  p.BotonNuevoClick();
  if (ui::Tag(p.BotonNuevo) != 1) return;
  db::Tabla& e = *p.TablaFacturae;
  EditaFila(e);
  for (int i = 0; i < cotizaciones.FieldCount(); ++i) {
    const db::Campo& origen = cotizaciones.Fields(i);
    if (db::Campo* destino = e.FindField(origen.Nombre())) {
      const QString valor = origen.AsString();
      if (valor.isEmpty()) destino->Clear();
      else destino->SetAsString(valor);
    }
  }
  // The new document takes the quotation's lines whatever document the
  // screen showed before (showing one spends the screen's single load).
  p.PartidasCargadas = 0;
  CargaPartidasCotizacion(p, QString::number(numero));
  PostPendiente(e);
  EditaFila(e);
}
