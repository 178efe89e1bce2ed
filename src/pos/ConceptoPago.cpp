#include "pos/ConceptoPago.h"

#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/CaptuRap_comun.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kClave = QStringLiteral("CLAVE");

template <class T>
T* Nombrado(T* w, const char* nombre) {
  w->setObjectName(QString::fromLatin1(nombre));
  return w;
}

}  // namespace

TFormaConceptoPago::TFormaConceptoPago(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaConceptoPago"));
  setWindowTitle(QStringLiteral("Conceptos de Efectivo"));
  resize(640, 420);

  TablaPagos = Nombrado(new db::Tabla(this), "TablaPagos");
  TablaClasificacion = Nombrado(new db::Tabla(this), "TablaClasificacion");
  FuentePagos = Nombrado(new ui::FuenteDatos(this), "FuentePagos");
  FuentePagos->SetDataSet(TablaPagos);
  FuenteClasificacion = Nombrado(new ui::FuenteDatos(this), "FuenteClasificacion");
  FuenteClasificacion->SetDataSet(TablaClasificacion);

  DBGrid1 = Nombrado(new ui::RejillaDatos(this), "DBGrid1");
  DBGrid1->SetFuente(FuentePagos);
  DBGrid1->AgregaColumna(kClave, QStringLiteral("Clave"), 80);
  DBGrid1->AgregaColumna(QStringLiteral("CONCEPTO"), QStringLiteral("Concepto"), 260);
  DBGrid1->SetSoloLectura(true);
  DBGrid2 = Nombrado(new ui::RejillaDatos(this), "DBGrid2");
  DBGrid2->SetFuente(FuenteClasificacion);
  DBGrid2->AgregaColumna(kClave, QStringLiteral("Clave"), 80);
  DBGrid2->AgregaColumna(QStringLiteral("CLASIFICAC"), QStringLiteral("Clasificación"), 200);

  EditCLAVE = Nombrado(new ui::EditDatos(this), "EditCLAVE");
  EditCLAVE->SetFuente(FuentePagos);
  EditCLAVE->SetCampo(kClave);
  EditCONCEPTO = Nombrado(new ui::EditDatos(this), "EditCONCEPTO");
  EditCONCEPTO->SetFuente(FuentePagos);
  EditCONCEPTO->SetCampo(QStringLiteral("CONCEPTO"));
  BitBtn1 = Nombrado(new QPushButton(QStringLiteral("Nuevo"), this), "BitBtn1");
  Actualizar = Nombrado(new QPushButton(QStringLiteral("Actualizar"), this), "Actualizar");
  LabelRuta = Nombrado(new QLabel(this), "LabelRuta");
  LabelRuta->hide();

  auto* capas = new QHBoxLayout(this);
  auto* conceptos = new QVBoxLayout;
  conceptos->addWidget(new QLabel(QStringLiteral("Conceptos"), this));
  conceptos->addWidget(DBGrid1, 1);
  auto* campos = new QGridLayout;
  campos->addWidget(new QLabel(QStringLiteral("Clave"), this), 0, 0);
  campos->addWidget(EditCLAVE, 0, 1);
  campos->addWidget(new QLabel(QStringLiteral("Concepto"), this), 1, 0);
  campos->addWidget(EditCONCEPTO, 1, 1);
  conceptos->addLayout(campos);
  auto* botones = new QHBoxLayout;
  botones->addWidget(BitBtn1);
  botones->addWidget(Actualizar);
  botones->addStretch(1);
  conceptos->addLayout(botones);
  capas->addLayout(conceptos, 3);
  auto* clasificaciones = new QVBoxLayout;
  clasificaciones->addWidget(new QLabel(QStringLiteral("Clasificación"), this));
  clasificaciones->addWidget(DBGrid2, 1);
  capas->addLayout(clasificaciones, 2);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(Actualizar, &QPushButton::clicked, this, [this] { ActualizarClick(); });
}

void TFormaConceptoPago::FormShow() {
  for (db::Tabla* t : {TablaPagos, TablaClasificacion}) {
    t->Close();
    t->SetCarpeta(LabelRuta->text());
    t->SetIndexName(kClave);
  }
  TablaPagos->SetNombreTabla(QStringLiteral("Pagos.dbf"));
  TablaClasificacion->SetNombreTabla(QStringLiteral("Clasificacion.dbf"));
  try {
    TablaPagos->Open();
    TablaClasificacion->Open();
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}

void TFormaConceptoPago::BitBtn1Click() {
  if (!TablaPagos->Active()) return;
  const QString clave = HayFila(*TablaClasificacion) ? TablaClasificacion->FieldByName(kClave).AsString() : QString();
  TablaPagos->Append();
  TablaPagos->FieldByName(kClave).SetAsString(clave);
  EditCONCEPTO->setFocus(Qt::OtherFocusReason);
}

void TFormaConceptoPago::ActualizarClick() {
  if (!TablaPagos->Active()) return;
  try {
    PostPendiente(*TablaPagos);
    QStringList lineas;
    db::Campo& clave = TablaPagos->FieldByName(kClave);
    db::Campo& concepto = TablaPagos->FieldByName(QStringLiteral("CONCEPTO"));
    for (TablaPagos->First(); !TablaPagos->Eof(); TablaPagos->Next())
      lineas << clave.AsString() + QStringLiteral("  ") + concepto.AsString();
    fs::ReescribeLineas(fs::Une(LabelRuta->text(), QStringLiteral("Salidas.cnf")), lineas);
  } catch (const plat::Error& e) {
    MuestraMensaje(e.mensaje());
  }
}
