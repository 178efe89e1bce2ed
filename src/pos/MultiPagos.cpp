#include "pos/MultiPagos.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/PagosVenta.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

}  // namespace

TFormaMultiPagos::TFormaMultiPagos(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaMultiPagos"));
  setWindowTitle(QStringLiteral("MultiPagos"));
  resize(560, 380);

  Table1 = new db::Tabla(this);
  Table1->setObjectName(QStringLiteral("Table1"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Table1);

  LabelRuta = Etiqueta(this, "LabelRuta", QString());
  LabelCONTROL = Etiqueta(this, "LabelCONTROL", QString());
  LabelRuta->hide();
  LabelCONTROL->hide();
  LabelCLDOC = Etiqueta(this, "LabelCLDOC", QString());
  LabelMONTO = Etiqueta(this, "LabelMONTO", QString());
  QFont negrita = LabelMONTO->font();
  negrita.setBold(true);
  negrita.setPointSize(negrita.pointSize() + 2);
  for (QLabel* l : {LabelCLDOC, LabelMONTO}) l->setFont(negrita);

  MultiPagos = new ui::RejillaDatos(this);
  MultiPagos->setObjectName(QStringLiteral("MultiPagos"));
  MultiPagos->SetFuente(DataSource1);
  MultiPagos->AgregaColumna(QStringLiteral("PAGOX_F"), QStringLiteral("Tipo de Pago"), 180);
  MultiPagos->AgregaColumna(QStringLiteral("MONTO_F"), QStringLiteral("Monto"), 110);
  MultiPagos->AgregaColumna(QStringLiteral("FEDOC_F"), QStringLiteral("Fecha"), 100);

  EditMonto = new QLineEdit(this);
  EditMonto->setObjectName(QStringLiteral("EditMonto"));
  TipoPago = new QComboBox(this);
  TipoPago->setObjectName(QStringLiteral("TipoPago"));
  TipoPago->addItems(kTiposPagoIniciales);
  BitBtn1 = new QPushButton(QStringLiteral("Agregar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn2 = new QPushButton(QStringLiteral("El_Saldo"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  LabelTOTAL = Etiqueta(this, "LabelTOTAL", QString());
  LabelFalta = Etiqueta(this, "LabelFalta", QString());
  for (QLabel* l : {LabelTOTAL, LabelFalta}) l->setFont(negrita);

  auto* capas = new QVBoxLayout(this);
  auto* documento = new QHBoxLayout;
  documento->addWidget(Etiqueta(this, "EtiquetaDocumento", QStringLiteral("Documento:")));
  documento->addWidget(LabelCLDOC);
  documento->addSpacing(20);
  documento->addWidget(Etiqueta(this, "EtiquetaTotal", QStringLiteral("Total:")));
  documento->addWidget(LabelMONTO);
  documento->addStretch(1);
  capas->addLayout(documento);
  capas->addWidget(MultiPagos, 1);
  auto* captura = new QGridLayout;
  captura->addWidget(Etiqueta(this, "EtiquetaMonto", QStringLiteral("Monto")), 0, 0);
  captura->addWidget(EditMonto, 1, 0);
  captura->addWidget(Etiqueta(this, "EtiquetaTipo", QStringLiteral("Tipo de Pago")), 0, 1);
  captura->addWidget(TipoPago, 1, 1);
  captura->addWidget(BitBtn1, 1, 2);
  captura->addWidget(BitBtn2, 1, 3);
  capas->addLayout(captura);
  auto* sumas = new QHBoxLayout;
  sumas->addWidget(Etiqueta(this, "EtiquetaPagado", QStringLiteral("Pagado: ")));
  sumas->addWidget(LabelTOTAL);
  sumas->addSpacing(20);
  sumas->addWidget(Etiqueta(this, "EtiquetaSaldo", QStringLiteral("Saldo: ")));
  sumas->addWidget(LabelFalta);
  sumas->addStretch(1);
  capas->addLayout(sumas);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
}

void TFormaMultiPagos::AbrePagos() {
  Table1->Close();
  Table1->SetCarpeta(LabelRuta->text());
  Table1->SetNombreTabla(QStringLiteral("MultiPagos.dbf"));
  Table1->SetIndexName(QStringLiteral("CLDOC_F"));
  Table1->Open();
  Table1->SetRange({LabelCLDOC->text()}, {LabelCLDOC->text()});
  bool numero = false;
  const qint64 control = LabelCONTROL->text().trimmed().toLongLong(&numero);
  Table1->SetFilter(QStringLiteral("CONTROL=") + QString::number(numero ? control : 0));
  Table1->SetFiltered(true);
}

void TFormaMultiPagos::LeeTipos() {
  if (const std::optional<QStringList> tipos = TiposDePago(LabelRuta->text())) {
    TipoPago->clear();
    TipoPago->addItems(*tipos);
  }
}

void TFormaMultiPagos::FormShow() {
  LeeTipos();
  Recalcula();
  EditMonto->setFocus(Qt::OtherFocusReason);
}

void TFormaMultiPagos::Recalcula() {
  Dinero pagado;
  pagos_ = 0;
  if (Table1->Active()) {
    if (Table1->State() != db::Dataset::Estado::Navegando) Table1->Post();
    db::Campo& monto = Table1->FieldByName(QStringLiteral("MONTO_F"));
    db::Campo& fecha = Table1->FieldByName(QStringLiteral("FEDOC_F"));
    for (Table1->First(); !Table1->Eof(); Table1->Next()) {
      pagado += registro::LeeImporte(monto).value_or(Dinero());
      ++pagos_;
      if (fecha.IsNull()) {
        Table1->Edit();
        fecha.SetAsDate(fs::Hoy());
        Table1->Post();
      }
    }
  }
  const Dinero total = Dinero::Lee(LabelMONTO->text()).value_or(Dinero());
  saldo_ = total - pagado;
  LabelTOTAL->setText(FormatoMascara(QStringLiteral("###,##0.00"), pagado));
  LabelFalta->setText(FormatoMascara(QStringLiteral("#####0.00"), saldo_));
}

void TFormaMultiPagos::BitBtn1Click() {
  const QString texto = EditMonto->text().trimmed();
  const std::optional<Dinero> monto = Dinero::Lee(texto);
  if (!monto) {
    MuestraMensaje(QStringLiteral("Un error en el monto..."));
    return;
  }
  if (*monto <= Dinero()) return;
  Table1->Append();
  Table1->FieldByName(QStringLiteral("CLDOC_F")).SetAsString(LabelCLDOC->text());
  Table1->FieldByName(QStringLiteral("CONTROL")).SetAsString(LabelCONTROL->text());
  Table1->FieldByName(QStringLiteral("MONTO_F")).SetAsString(texto);
  Table1->FieldByName(QStringLiteral("PAGOX_F")).SetAsString(TipoPago->currentText());
  Table1->FieldByName(QStringLiteral("FEDOC_F")).SetAsDate(fs::Hoy());
  Table1->Post();
  EditMonto->clear();
  Recalcula();
}

void TFormaMultiPagos::BitBtn2Click() {
  Recalcula();
  EditMonto->setText(FormatoMascara(QStringLiteral("#####0.00"), saldo_));
}

void TFormaMultiPagos::FormCloseQuery(bool& puedeCerrar) {
  Recalcula();
  if (pagos_ == 0) return;
  if (saldo_ > Dinero()) {
    MuestraMensaje(QStringLiteral("No se ha pagado completo el documento"));
    puedeCerrar = false;
  } else if (saldo_ < Dinero()) {
    MuestraMensaje(QStringLiteral("Pago Incorrecto en el documento"));
    puedeCerrar = false;
  }
}
