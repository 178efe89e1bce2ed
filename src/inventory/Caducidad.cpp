#include "inventory/Caducidad.h"

#include "foundation/dinero.h"
#include "foundation/rutinas_fecha.h"
#include "inventory/TablasInventario.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

const QString kTablaCaducidad = QStringLiteral("CADUCIDAD.DBF");

// One receipt of the query.
struct Lote {
  Dinero cantidad;
  QString caducidad;  // the expiry text as captured
  QDate fecha;        // the expiry read as a date; invalid when it is none
  QVariant documento;
  QVariant fechaDocumento;
  QVariant movimiento;
  QVariant clave;
  QVariant producto;
};

// The receipts in the order of their expiry dates. The statement orders
// them by the text "dd/mm/yyyy", which puts the day before the year; the
// walk needs the latest expiry last. Receipts of one date, and those
// without a readable date (first), keep the statement's order.
std::vector<Lote> LeeLotes(const QString& consulta, bool todos) {
  db::Consulta q;
  q.SetSQL(consulta);
  q.Open();
  const db::Campo& cantidad = q.FieldByName(QStringLiteral("CANTI_OD"));
  const db::Campo& caducidad = q.FieldByName(QStringLiteral("CADUC_OD"));
  const db::Campo& documento = q.FieldByName(QStringLiteral("CLDOC_OD"));
  const db::Campo& fecha = q.FieldByName(QStringLiteral("FEDOC_OD"));
  const db::Campo& movimiento = q.FieldByName(QStringLiteral("TIMOV_OD"));
  const db::Campo* clave = todos ? &q.FieldByName(QStringLiteral("CLPRO")) : nullptr;
  const db::Campo* producto = todos ? &q.FieldByName(QStringLiteral("PRODUCTO")) : nullptr;
  std::vector<Lote> lotes;
  for (q.First(); !q.Eof(); q.Next()) {
    Lote l;
    l.cantidad = Dinero::DeReal(cantidad.AsFloat());
    l.caducidad = caducidad.AsString();
    LeeFecha(l.caducidad, l.fecha);
    l.documento = documento.Value();
    l.fechaDocumento = fecha.Value();
    l.movimiento = movimiento.Value();
    if (todos) {
      l.clave = clave->Value();
      l.producto = producto->Value();
    }
    lotes.push_back(std::move(l));
  }
  std::stable_sort(lotes.begin(), lotes.end(), [](const Lote& a, const Lote& b) {
    if (!a.fecha.isValid() || !b.fecha.isValid()) return !a.fecha.isValid() && b.fecha.isValid();
    return a.fecha < b.fecha;
  });
  return lotes;
}

db::Tabla& AbreCaducidad(db::Tabla& t, const QString& programa) {
  t.SetCarpeta(programa);
  t.SetNombreTabla(kTablaCaducidad);
  t.Open();
  return t;
}

// The walk: from the latest receipt backwards, each listed whole while the
// running sum stays below the stock; the one that reaches it (or passes it)
// is listed with what is left of the stock, and the walk stops.
void RecorreLotes(db::Tabla& t, const std::vector<Lote>& lotes, Dinero existencia, bool todos) {
  Dinero suma;
  qint64 cuenta = 0;
  for (auto l = lotes.rbegin(); l != lotes.rend(); ++l) {
    const Dinero anterior = suma;
    suma += l->cantidad;
    const bool ultimo = suma >= existencia;
    t.Append();
    try {
      t.FieldByName(QStringLiteral("CADUCIDAD")).SetAsString(l->caducidad);
      t.FieldByName(QStringLiteral("CANTIDAD")).SetAsFloat((ultimo ? existencia - anterior : l->cantidad).Real());
      t.FieldByName(QStringLiteral("SUMA")).SetAsFloat((ultimo ? existencia : suma).Real());
      t.FieldByName(QStringLiteral("DOCUMENTO")).SetValue(l->documento);
      t.FieldByName(QStringLiteral("FECHA")).SetValue(l->fechaDocumento);
      t.FieldByName(QStringLiteral("MOVIMIENTO")).SetValue(l->movimiento);
      if (todos) {
        t.FieldByName(QStringLiteral("CLPRO")).SetValue(l->clave);
        t.FieldByName(QStringLiteral("PRODUCTO")).SetValue(l->producto);
      } else {
        t.FieldByName(QStringLiteral("CUENTA")).SetAsInteger(cuenta);
      }
      t.Post();
    } catch (...) {
      t.Cancel();
      throw;
    }
    ++cuenta;
    if (ultimo) return;
  }
}

}  // namespace

void CreaTablaCaducidad(const QString& programa, bool todos) {
  try {
    db::Tabla::Borra(programa, kTablaCaducidad);
  } catch (const std::exception&) {
  }
  try {
    const db::DefTabla d = EsquemaCaducidad(todos);
    if (!db::Tabla::Existe(programa, kTablaCaducidad)) db::Tabla::Crea(programa, d.archivo, d.campos, d.tags);
  } catch (const std::exception&) {
  }
}

void AgregaCaducidadProducto(const QString& programa, const QString& consulta, double existencia) {
  const std::vector<Lote> lotes = LeeLotes(consulta, true);
  db::Tabla t;
  RecorreLotes(AbreCaducidad(t, programa), lotes, Dinero::DeReal(existencia), true);
}

TFormaCaducidad::TFormaCaducidad(QWidget* owner) : ui::Forma(owner) {
  // The window made at start-up stays the program's one; one made for an
  // analysis is its caller's.
  if (!ui::InstanciaDe<TFormaCaducidad>()) ui::InstanciaDe<TFormaCaducidad>() = this;
  setObjectName(QStringLiteral("FormaCaducidad"));
  setWindowTitle(QStringLiteral("Caducidad"));
  resize(640, 420);
  SetKeyPreview(true);

  Query1 = new db::Consulta(this);
  Query1->setObjectName(QStringLiteral("Query1"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(Query1);
  DataSource2 = new ui::FuenteDatos(this);
  DataSource2->setObjectName(QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(Query1);

  auto* divisor = new QSplitter(Qt::Vertical, this);
  DBGrid1 = new ui::RejillaDatos(divisor);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  DBGrid2 = new ui::RejillaDatos(divisor);
  DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
  DBGrid2->SetFuente(DataSource2);
  DBGrid2->SetSoloLectura(true);
  divisor->setStretchFactor(0, 3);
  divisor->setStretchFactor(1, 1);

  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  auto* botones = new QHBoxLayout();
  botones->addStretch();
  botones->addWidget(BitBtn1);

  auto* capa = new QVBoxLayout(this);
  capa->addWidget(divisor, 1);
  capa->addLayout(botones);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Responde(1); });
  ui::Conecta(&ui::Eventos::De(DBGrid1), &ui::Eventos::DblClick, this, [this] { Responde(1); });
}

TFormaCaducidad::~TFormaCaducidad() { Query1->Close(); }

void TFormaCaducidad::Responde(int tag) {
  SetTag(tag);
  Close();
}

void TFormaCaducidad::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
    tecla = 0;
    Responde(1);
  } else if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Responde(0);
  }
}

void TFormaCaducidad::AnalizaCaducidad(const QString& programa, const QString& consulta, double existencia) {
  Query1->Close();
  CreaTablaCaducidad(programa, false);
  const std::vector<Lote> lotes = LeeLotes(consulta, false);
  {
    db::Tabla t;
    AbreCaducidad(t, programa);
    RecorreLotes(t, lotes, Dinero::DeReal(existencia), false);
    // The running sums from the earliest batch listed (the last row) up to
    // the first, which holds the whole stock so attributed.
    Dinero suma;
    db::Campo& cantidad = t.FieldByName(QStringLiteral("CANTIDAD"));
    db::Campo& acumulado = t.FieldByName(QStringLiteral("SUMA"));
    for (t.Last(); !t.Bof(); t.Prior()) {
      suma += Dinero::DeReal(cantidad.AsFloat());
      t.Edit();
      acumulado.SetAsFloat(suma.Real());
      t.Post();
    }
  }
  Query1->SetSQL(QStringLiteral("SELECT CADUCIDAD,CANTIDAD,SUMA,DOCUMENTO,FECHA,MOVIMIENTO,CUENTA FROM ") +
                 db::LiteralComillas(programa + u'\\' + kTablaCaducidad) + QStringLiteral(" ORDER BY CUENTA DESC"));
  Query1->Open();
  SetTag(0);
  ShowModal();
  Query1->Close();
}
