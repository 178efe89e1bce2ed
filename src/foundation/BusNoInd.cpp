#include "foundation/BusNoInd.h"

#include "foundation/rutinas_catalogo.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class T>
T* Nombrado(T* componente, const QString& nombre) {
  componente->setObjectName(nombre);
  return componente;
}

}  // namespace

TFormaBusquedaNoIndexada::TFormaBusquedaNoIndexada(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaBusquedaNoIndexada>() = this;
  setObjectName(QStringLiteral("FormaBusquedaNoIndexada"));
  setWindowTitle(QStringLiteral("Busqueda No Indexada"));
  setFixedSize(400, 178);

  Label1 = Nombrado(new QLabel(QStringLiteral("Campo"), this), QStringLiteral("Label1"));
  Label1->setGeometry(16, 14, 80, 20);
  Campo1 = Nombrado(new QComboBox(this), QStringLiteral("Campo1"));
  Campo1->setGeometry(100, 12, 284, 24);
  Campo1->setMaxVisibleItems(16);
  Campo2 = Nombrado(new QComboBox(this), QStringLiteral("Campo2"));
  Campo2->hide();

  Label2 = Nombrado(new QLabel(QStringLiteral("Valor"), this), QStringLiteral("Label2"));
  Label2->setGeometry(16, 48, 80, 20);
  Valor = Nombrado(new QLineEdit(this), QStringLiteral("Valor"));
  Valor->setGeometry(100, 46, 284, 24);

  InicioOpcion = Nombrado(new QRadioButton(QStringLiteral("Desde el Inicio"), this), QStringLiteral("InicioOpcion"));
  InicioOpcion->setGeometry(100, 80, 284, 20);
  InicioOpcion->setChecked(true);
  Actual = Nombrado(new QRadioButton(QStringLiteral("A Partir de Posición Actual"), this), QStringLiteral("Actual"));
  Actual->setGeometry(100, 102, 284, 20);

  BotonBuscar = Nombrado(new QPushButton(QStringLiteral("Buscar"), this), QStringLiteral("BotonBuscar"));
  BotonBuscar->setGeometry(112, 138, 80, 25);
  BotonBuscar->setDefault(true);  // Enter in the value box searches
  BotonCancelar = Nombrado(new QPushButton(QStringLiteral("Cancelar"), this), QStringLiteral("BotonCancelar"));
  BotonCancelar->setGeometry(208, 138, 80, 25);
  BotonCancelar->setAutoDefault(false);

  ui::Conecta(Campo1, &QComboBox::currentIndexChanged, this, [this](int i) { Campo1Change(i); });
  ui::Conecta(BotonBuscar, &QPushButton::clicked, this, [this] { BotonBuscarClick(); });
  ui::Conecta(BotonCancelar, &QPushButton::clicked, this, [this] { BotonCancelarClick(); });

  ui::CentraEnPantalla(*this);
}

void TFormaBusquedaNoIndexada::Campo1Change(int indice) { Campo2->setCurrentIndex(indice); }

void TFormaBusquedaNoIndexada::BotonBuscarClick() {
  SetTag(1);
  Close();
}

void TFormaBusquedaNoIndexada::BotonCancelarClick() {
  SetTag(0);
  Close();
}

void BuscaSinIndice(const QString& archivo) {
  TFormaBusquedaNoIndexada* forma = FormaBusquedaNoIndexada();
  if (!forma) forma = new TFormaBusquedaNoIndexada();
  forma->SetTag(0);
  const int bloque = PosicionTablaCatalogo(archivo);
  forma->Campo1->clear();
  forma->Campo2->clear();
  // A table the catalogue does not list gets empty lists.
  if (bloque >= 0) {
    // A record that cannot be read leaves the texts of the one before.
    QString descripcion, nombre;
    for (int i = 1; i < kRegistrosPorTabla; ++i) {
      const int registro = bloque * kRegistrosPorTabla + i;
      DatoCatalogoCampos(registro, 2, descripcion);
      DatoCatalogoCampos(registro, 1, nombre);
      forma->Campo1->addItem(descripcion);
      forma->Campo2->addItem(nombre);
    }
  }
  // No field is chosen until the user chooses one.
  forma->Campo1->setCurrentIndex(-1);
  forma->Campo2->setCurrentIndex(-1);
  forma->ShowModal();
}
