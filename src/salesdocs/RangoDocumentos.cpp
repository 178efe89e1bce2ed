#include "salesdocs/RangoDocumentos.h"

#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "salesdocs/BuferVenta.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

TFormaRango::TFormaRango(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaRango"));
  setWindowTitle(QStringLiteral("Rango de Documentos "));
  auto* capa = new QVBoxLayout(this);

  auto* filaRango = new QHBoxLayout;
  filaRango->addWidget(new QLabel(QStringLiteral("De"), this));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setToolTip(QStringLiteral("ej. 3-8 ó 5,7,8,9"));
  filaRango->addWidget(Edit1);
  capa->addLayout(filaRango);

  // The two dates of the period are part of the window but play no part.
  for (const QString& etiqueta : {QStringLiteral("Inicio"), QStringLiteral("Final")}) {
    auto* fila = new QWidget(this);
    auto* capaFila = new QHBoxLayout(fila);
    capaFila->addWidget(new QLabel(etiqueta, fila));
    capaFila->addWidget(new QDateEdit(fila));
    fila->hide();
    capa->addWidget(fila);
  }

  auto* grupo = new QGroupBox(QStringLiteral("Documento A Generar"), this);
  auto* capaGrupo = new QVBoxLayout(grupo);
  const auto opcion = [&](const char* nombre, const QString& titulo) {
    auto* r = new QRadioButton(titulo, grupo);
    r->setObjectName(QString::fromLatin1(nombre));
    capaGrupo->addWidget(r);
    return r;
  };
  Factura = opcion("Factura", QStringLiteral("Factura"));
  Remision = opcion("Remision", QStringLiteral("Remisión"));
  Pedido = opcion("Pedido", QStringLiteral("Pedido"));
  capa->addWidget(grupo);

  auto* botones = new QHBoxLayout;
  BitBtn1 = new QPushButton(QStringLiteral("Generar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  botones->addWidget(BitBtn1);
  botones->addWidget(BitBtn2);
  capa->addLayout(botones);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormaRango::HabilitaPorBase(const QString& base) {
  const bool cotizacion = base == QStringLiteral("Cotización");
  Factura->setEnabled(cotizacion || base == QStringLiteral("Pedido") || base == QStringLiteral("Remisión"));
  Remision->setEnabled(cotizacion || base == QStringLiteral("Pedido"));
  Pedido->setEnabled(cotizacion);
}

QChar TFormaRango::LetraElegida() const {
  for (const QRadioButton* r : {Factura, Remision, Pedido})
    if (r->isChecked() && r->isEnabled()) return r->text().at(0);
  return QChar();
}

void TFormaRango::BitBtn1Click() {
  if (LetraElegida().isNull()) {
    MuestraMensaje(QStringLiteral("Elija el documento a generar"));
    return;
  }
  SetTag(1);
  Close();
}

void TFormaRango::BitBtn2Click() {
  SetTag(0);
  Close();
}

std::optional<EleccionRango> PideRangoDocumentos(QWidget* padre, const QString& base) {
  TFormaRango forma(padre);
  forma.HabilitaPorBase(base);
  forma.SetTag(0);
  forma.ShowModal();
  if (forma.Tag() != 1) return std::nullopt;
  return EleccionRango{forma.LetraElegida(), forma.Edit1->text()};
}

void RangodeDocumentos1Click(TFormaCapturaRapida& p) {
  const std::optional<EleccionRango> eleccion = PideRangoDocumentos(&p, p.Base->currentText());
  if (!eleccion) return;
  const QChar letra = eleccion->letra;
  const QString& rango = eleccion->rango;
  // An invoice of remissions is one made from them: their stock left with
  // them, and one already invoiced is not invoiced again.
  const bool deRemisiones = letra == u'F' && p.Base->currentText() == QStringLiteral("Remisión");

  // The range is expanded and its live lines counted in the line table on
  // screen before anything is written: a refused range leaves no header.
  int vivas = 0;
  try {
    vivas = CuentaPartidasDeRango(p.TablaFacturaD->Carpeta(), p.TablaFacturaD->NombreTabla(), rango, deRemisiones);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
    return;
  }
  if (vivas == 0) {
    MuestraMensaje(kSinDocumentosRango);
    return;
  }
  p.FacturaDeRemisiones = deRemisiones;

  p.DocumentoOrigen = CodigoOrigen(QString(letra), p.EditCLDOC_F->text());
  p.LineasDeRango = true;
  ui::SetTag(p.Base, 1);
  GuardaVentaEnBufer(p, letra);
  CargaVentaDeBufer(p, letra, rango);
  p.HabilitaCaptura();
  p.EditCLDOC_F->setFocus(Qt::OtherFocusReason);
  p.DocumentoNuevo = true;
  EditaFila(*p.TablaFacturae);
  p.HabilitaBotonesCaptura(false, false, true, true, false, false, false);
}
