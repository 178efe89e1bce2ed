#include "inventory/Serie.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/EdicionFila.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/PuertaModal.h"
#include "platform/ui/RejillaDatos.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  return b;
}

const QString kSerie = QStringLiteral("NUSER_NS");
const QString kDocumento = QStringLiteral("DOSAL_NS");

}  // namespace

TFormaNumeroSerie::TFormaNumeroSerie(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaNumeroSerie>() = this;
  setObjectName(QStringLiteral("FormaNumeroSerie"));
  setWindowTitle(QStringLiteral("Numero Serie"));
  resize(520, 340);

  TablaNumeroSerie = new db::Tabla(this);
  TablaNumeroSerie->setObjectName(QStringLiteral("TablaNumeroSerie"));
  TablaNumeroSerie->AfterInsert = [this](db::Dataset&) { TablaNumeroSerieAfterInsert(); };
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaNumeroSerie);

  Detalle = new ui::RejillaDatos(this);
  Detalle->setObjectName(QStringLiteral("Detalle"));
  Detalle->SetFuente(DataSource1);
  LabelRegistros = new QLabel(this);
  LabelRegistros->setObjectName(QStringLiteral("LabelRegistros"));
  MemoSeries = new QListWidget(this);
  MemoSeries->setObjectName(QStringLiteral("MemoSeries"));
  MemoSeries->hide();

  BotonGuardar = Boton(this, "BotonGuardar", QStringLiteral("Guardar"));
  BitBtn2 = Boton(this, "BitBtn2", QStringLiteral("Cancelar"));
  Agregar = Boton(this, "Agregar", QStringLiteral("Agregar"));
  Asignar = Boton(this, "Asignar", QStringLiteral("Asignar"));
  Quitar = Boton(this, "Quitar", QStringLiteral("Quitar"));
  for (QPushButton* b : {Agregar, Asignar, Quitar}) b->hide();
  ui::Conecta(BotonGuardar, &QPushButton::clicked, this, [this] { BotonGuardarClick(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(Agregar, &QPushButton::clicked, this, [this] { AgregarClick(); });
  ui::Conecta(Asignar, &QPushButton::clicked, this, [this] { AsignarClick(); });
  ui::Conecta(Quitar, &QPushButton::clicked, this, [this] { QuitarClick(); });

  auto* capa = new QVBoxLayout(this);
  auto* centro = new QHBoxLayout();
  centro->addWidget(Detalle, 1);
  auto* eleccion = new QVBoxLayout();
  eleccion->addWidget(MemoSeries, 1);
  for (QPushButton* b : {Agregar, Quitar, Asignar}) eleccion->addWidget(b);
  centro->addLayout(eleccion);
  capa->addLayout(centro, 1);
  auto* pie = new QHBoxLayout();
  pie->addWidget(LabelRegistros);
  pie->addStretch();
  pie->addWidget(BotonGuardar);
  pie->addWidget(BitBtn2);
  capa->addLayout(pie);
}

void TFormaNumeroSerie::MuestraNumerosSerie(const QString& clave, const QString& carpeta) {
  ClaveProducto = clave;
  // The key names a file of the folder, never one elsewhere.
  const QString archivo = clave + QStringLiteral(".dbf");
  if (clave.contains(u'\\') || clave.contains(u'/'))
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La tabla %1 no existe").arg(fs::Une(carpeta, archivo)));
  TablaNumeroSerie->Close();
  TablaNumeroSerie->SetCarpeta(carpeta);
  TablaNumeroSerie->SetNombreTabla(archivo);
  TablaNumeroSerie->Open();
  TablaNumeroSerie->First();
  LabelRegistros->setText(QStringLiteral("Registros ") + QString::number(TablaNumeroSerie->RecordCount() - 1));
  ShowModal();
}

QStringList TFormaNumeroSerie::SeriesElegidas() const {
  QStringList series;
  for (int i = 0; i < MemoSeries->count(); ++i) series << MemoSeries->item(i)->text();
  return series;
}

void TFormaNumeroSerie::BotonGuardarClick() {
  if (!GuardaFilaRejilla(*Detalle)) return;
  SetTag(kSeriesGuardadas);
  Close();
}

void TFormaNumeroSerie::BitBtn2Click() {
  TablaNumeroSerie->Cancel();
  SetTag(0);
  Close();
}

void TFormaNumeroSerie::TablaNumeroSerieAfterInsert() {
  if (!LimiteSeries || TablaNumeroSerie->RecordCount() <= *LimiteSeries) return;
  ui::MensajeSimple(kNoMasSeries);
  TablaNumeroSerie->Cancel();
}

void TFormaNumeroSerie::AgregarClick() {
  db::Tabla& t = *TablaNumeroSerie;
  if (t.IsEmpty()) return;
  const QString serie = t.FieldByName(kSerie).AsString();
  if (!t.FieldByName(kDocumento).IsNull() || SeriesElegidas().contains(serie) ||
      MemoSeries->count() >= LimiteSeleccion) {
    MuestraMensaje(kSerieAsignada);
    return;
  }
  MemoSeries->addItem(serie);
}

void TFormaNumeroSerie::AsignarClick() {
  const QStringList series = SeriesElegidas();
  db::Tabla& t = *TablaNumeroSerie;
  if (series.isEmpty() || !t.Active()) return;
  for (t.First(); !t.Eof(); t.Next()) {
    if (!series.contains(t.FieldByName(kSerie).AsString()) || !t.FieldByName(kDocumento).IsNull()) continue;
    CambiaFila(t, QStringLiteral("No se Pueden Editar los Datos Registro en Uso"), [&] {
      // Read afresh under the lock: another station may have taken it.
      if (!t.FieldByName(kDocumento).IsNull()) return;
      t.FieldByName(kDocumento).SetAsInteger(Documento);
      t.FieldByName(QStringLiteral("control")).SetAsString(Control);
    });
  }
}

void TFormaNumeroSerie::QuitarClick() { delete MemoSeries->currentItem(); }
