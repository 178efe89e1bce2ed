#include "inventory/AdicionalProducto.h"

#include "foundation/rutinas.h"
#include "inventory/FormulaCosto.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/FuenteDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormaAdicionalProducto::TFormaAdicionalProducto(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaAdicionalProducto>() = this;
  setObjectName(QStringLiteral("FormaAdicionalProducto"));
  setWindowTitle(QStringLiteral("Datos Adicionales del Producto"));
  resize(430, 330);

  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  const auto caja = [this](QWidget* padre, const char* nombre, const char* campo) {
    auto* e = new ui::EditDatos(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->SetFuente(DataSource1);
    if (campo) e->SetCampo(QString::fromLatin1(campo));
    return e;
  };
  const auto etiqueta = [](QWidget* padre, const QString& texto, const char* nombre = nullptr) {
    auto* l = new QLabel(texto, padre);
    if (nombre) l->setObjectName(QString::fromLatin1(nombre));
    return l;
  };

  auto* fpgc = new QGroupBox(QStringLiteral("FPGC"), this);
  fpgc->setObjectName(QStringLiteral("GroupBox1"));
  auto* capaFpgc = new QGridLayout(fpgc);
  EditFPGCC_I = caja(fpgc, "EditFPGCC_I", "FPGCC_I");
  EditFPGCI_I = caja(fpgc, "EditFPGCI_I", "FPGCI_I");
  capaFpgc->addWidget(etiqueta(fpgc, QStringLiteral("Factor 2")), 0, 0);
  capaFpgc->addWidget(EditFPGCC_I, 0, 1);
  capaFpgc->addWidget(etiqueta(fpgc, QStringLiteral("Fondo")), 1, 0);
  capaFpgc->addWidget(EditFPGCI_I, 1, 1);

  auto* datos = new QGridLayout();
  EditFACTO_I = caja(this, "EditFACTO_I", "FACTO_I");
  EditEXIFA_I = caja(this, "EditEXIFA_I", "EXIFA_I");
  EditCADUC_I = caja(this, "EditCADUC_I", "CADUC_I");
  const std::pair<const char*, ui::EditDatos*> fijos[] = {
      {"Tara", EditFACTO_I}, {"Por Cada", EditEXIFA_I}, {"Caducidad", EditCADUC_I}};
  int fila = 0;
  for (const auto& [texto, e] : fijos) {
    datos->addWidget(etiqueta(this, QString::fromUtf8(texto)), fila, 0);
    datos->addWidget(e, fila++, 1);
  }
  Eti1 = etiqueta(this, QStringLiteral("Eti1"), "Eti1");
  Eti2 = etiqueta(this, QStringLiteral("Eti2"), "Eti2");
  Eti3 = etiqueta(this, QStringLiteral("Eti3"), "Eti3");
  Edit1 = caja(this, "Edit1", nullptr);
  Edit2 = caja(this, "Edit2", nullptr);
  Edit3 = caja(this, "Edit3", nullptr);
  auto* configurables = new QGridLayout();
  const std::pair<QLabel*, ui::EditDatos*> pares[] = {{Eti1, Edit1}, {Eti2, Edit2}, {Eti3, Edit3}};
  int columna = 0;
  for (const auto& [l, e] : pares) {
    configurables->addWidget(l, 0, columna);
    configurables->addWidget(e, 1, columna++);
  }
  EditMENSA_I = caja(this, "EditMENSA_I", "MENSA_I");

  LabelPrecio = etiqueta(this, QStringLiteral("0.00"), "LabelPrecio");
  LabelDire = etiqueta(this, QString(), "LabelDire");
  LabelDire->hide();
  MemoFormula = new QPlainTextEdit(this);
  MemoFormula->setObjectName(QStringLiteral("MemoFormula"));
  MemoFormula->hide();
  MemoResultado = new QPlainTextEdit(this);
  MemoResultado->setObjectName(QStringLiteral("MemoResultado"));
  MemoResultado->hide();

  const auto boton = [this](const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
  };
  BitBtn2 = boton("BitBtn2", QStringLiteral("Aplicar Fórmula"));
  BitBtn3 = boton("BitBtn3", QStringLiteral("Cambiar Precio"));
  BitBtn1 = boton("BitBtn1", QStringLiteral("Cerrar"));
  auto* botones = new QHBoxLayout();
  botones->addWidget(BitBtn2);
  botones->addWidget(LabelPrecio);
  botones->addWidget(BitBtn3);
  botones->addStretch();
  botones->addWidget(BitBtn1);

  auto* capa = new QVBoxLayout(this);
  auto* arriba = new QHBoxLayout();
  arriba->addWidget(fpgc);
  arriba->addLayout(datos);
  capa->addLayout(arriba);
  capa->addLayout(configurables);
  capa->addWidget(EditMENSA_I);
  capa->addLayout(botones);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { Close(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });

  // The formula as the installation keeps it; without the file the memo
  // stays empty and a formula run finds nothing to assign.
  QString programa;
  CarpetaLocal(programa);
  try {
    if (const auto formula = LeeFormulaCosto(programa)) MemoFormula->setPlainText(formula->join(u'\n'));
  } catch (const std::exception&) {
  }
}

void TFormaAdicionalProducto::FormShow() {
  LeeCampos();
  DescuentosDelProveedor();
}

void TFormaAdicionalProducto::LeeCampos() {
  const QString archivo = fs::Une(LabelDire->text(), objectName() + QStringLiteral(".cam"));
  QStringList lineas;
  try {
    if (!fs::ExisteArchivo(archivo)) return;
    lineas = fs::LeeLineas(archivo);
  } catch (const std::exception&) {
    return;
  }
  lineas.resize(6);
  QLabel* etiquetas[] = {Eti1, Eti2, Eti3};
  ui::EditDatos* cajas[] = {Edit1, Edit2, Edit3};
  for (int i = 0; i < 3; ++i) {
    etiquetas[i]->setText(lineas[2 * i]);
    cajas[i]->SetCampo(lineas[2 * i + 1].trimmed());
  }
}

void TFormaAdicionalProducto::DescuentosDelProveedor() {
  try {
    db::Dataset* producto = DataSource1->DataSet();
    if (!producto || !producto->FieldByName(QStringLiteral("DESC1_I")).AsString().isEmpty()) return;
    QString datos;
    LeeLineaConfig(ConfCarpetaDatos, datos);
    const auto descuentos = LeeDescuentosProveedor(datos, producto->FieldByName(QStringLiteral("CLPR1_I")).AsString());
    if (!descuentos) return;
    producto->Edit();
    EscribeDescuentos(*producto, *descuentos);
    ui::EditDatos* cajas[] = {Edit1, Edit2, Edit3};
    for (int i = 0; i < 3; ++i) cajas[i]->setText((*descuentos)[i]);
    producto->Post();
    producto->Refresh();
  } catch (const std::exception&) {
  }
}

void TFormaAdicionalProducto::BitBtn2Click() {
  try {
    db::Dataset& producto = *DataSource1->DataSet();
    producto.Edit();
    producto.Post();
    producto.Edit();
    EscribeDescuentos(producto, {Edit1->text(), Edit2->text(), Edit3->text()});
    producto.Post();
    QString resultado;
    LabelPrecio->setText(PrecioFormulaCosto(MemoFormula->toPlainText(), resultado, producto));
    MemoResultado->setPlainText(resultado);
  } catch (const std::exception&) {
  }
}

void TFormaAdicionalProducto::BitBtn3Click() { GuardaPrecioFormula(*DataSource1->DataSet(), LabelPrecio->text()); }
