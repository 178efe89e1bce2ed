#include "foundation/Lineas.h"

#include "platform/db/Consulta.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

// The rows of an open dataset as texts, read once, for a read-only grid.
class ModeloConsulta : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Carga(db::Dataset& datos) {
    beginResetModel();
    titulos_ = datos.NombresCampos();
    filas_.clear();
    for (datos.First(); !datos.Eof(); datos.Next()) {
      QStringList fila;
      for (int i = 0; i < datos.FieldCount(); ++i) fila << datos.Fields(i).AsString();
      filas_.push_back(fila);
    }
    datos.First();
    endResetModel();
  }

  int rowCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : int(filas_.size()); }
  int columnCount(const QModelIndex& padre = {}) const override { return padre.isValid() ? 0 : int(titulos_.size()); }

  QVariant data(const QModelIndex& i, int rol) const override {
    if (rol != Qt::DisplayRole || !i.isValid()) return {};
    return filas_[i.row()][i.column()];
  }

  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override {
    if (rol != Qt::DisplayRole || orientacion != Qt::Horizontal) return {};
    return titulos_.value(seccion);
  }

 private:
  QStringList titulos_;
  QVector<QStringList> filas_;
};

TFormaLineas::TFormaLineas(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaLineas>() = this;
  setObjectName(QStringLiteral("FormaLineas"));
  setWindowTitle(QStringLiteral("Lineas"));
  resize(260, 320);

  Query1 = new db::Consulta(this);
  Query1->setObjectName(QStringLiteral("Query1"));

  modelo_ = new ModeloConsulta(this);
  DBGrid1 = new QTableView(this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setModel(modelo_);
  DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  DBGrid1->verticalHeader()->hide();
  DBGrid1->horizontalHeader()->setStretchLastSection(true);
  QFont negrita = DBGrid1->font();
  negrita.setBold(true);
  DBGrid1->setFont(negrita);
  DBGrid1->setGeometry(8, 8, 244, 262);

  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(87, 280, 86, 30);
  BitBtn1->setAutoDefault(false);

  SetKeyPreview(true);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Elige(1); });
  ui::Conecta(DBGrid1, &QTableView::doubleClicked, this, [this] { Elige(1); });
  ui::Conecta(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
              [this](const QModelIndex& actual, const QModelIndex&) { FilaActualCambiada(actual.row()); });
  ui::CentraEnPantalla(*this);
}

TFormaLineas::~TFormaLineas() = default;

void TFormaLineas::MuestraConsulta() {
  modelo_->Carga(*Query1);
  if (modelo_->rowCount() > 0) DBGrid1->setCurrentIndex(modelo_->index(0, 0));
  DBGrid1->setFocus(Qt::OtherFocusReason);
}

void TFormaLineas::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
    tecla = 0;
    Elige(1);
  } else if (tecla == Qt::Key_Escape) {
    tecla = 0;
    Elige(0);
  }
}

void TFormaLineas::Elige(int tag) {
  SetTag(tag);
  Close();
}

void TFormaLineas::FilaActualCambiada(int fila) {
  if (!Query1->Active() || fila < 0) return;
  Query1->First();
  Query1->MoveBy(fila);
}

void EligeDeConsulta(const QString& sql) {
  TFormaLineas* forma = FormaLineas();
  if (!forma) return;
  forma->Query1->Close();
  forma->Query1->SetSQL(sql);
  forma->Query1->Open();
  forma->MuestraConsulta();
  forma->ShowModal();
}
