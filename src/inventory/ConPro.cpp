#include "inventory/ConPro.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "inventory/ConsultaContiene.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <class T>
T* Nombrado(T* w, const QString& nombre) {
  w->setObjectName(nombre);
  return w;
}

}  // namespace

TFormaConProduct::TFormaConProduct(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaConProduct>() = this;
  setObjectName(QStringLiteral("FormaConProduct"));
  setWindowTitle(QStringLiteral("Catálogo de Productos"));
  SetKeyPreview(true);

  TablaConProducto = Nombrado(new db::Tabla(this), QStringLiteral("TablaConProducto"));
  TablaConProducto->SetNombreTabla(kTablaProductos);
  TablaConProducto->SetIndexName(kTagClaveProducto);
  TablaConProducto->SetReadOnly(true);
  QueryProducto = Nombrado(new ConsultaContiene(this), QStringLiteral("QueryProducto"));
  QueryFiltro = Nombrado(new db::Consulta(this), QStringLiteral("QueryFiltro"));
  DataSource1 = Nombrado(new ui::FuenteDatos(this), QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaConProducto);
  DataSource2 = Nombrado(new ui::FuenteDatos(this), QStringLiteral("DataSource2"));
  DataSource2->SetDataSet(QueryProducto);
  // The right-hand panel follows every move of the table.
  ui::Conecta(DataSource1, &ui::FuenteDatos::cambioRegistro, this, [this] {
    MuestraEmpaqueProducto();
    MuestraDisponible();
  });

  // The top panel: orders, price columns, options, searches.
  Panel1 = Nombrado(new ui::Panel(this), QStringLiteral("Panel1"));
  auto* arriba = new QHBoxLayout(Panel1);
  arriba->setContentsMargins(6, 4, 6, 4);
  const auto radio = [&](const QString& nombre, const QString& texto) {
    auto* r = Nombrado(new QRadioButton(texto, Panel1), nombre);
    arriba->addWidget(r);
    return r;
  };
  RadioClave = radio(QStringLiteral("RadioClave"), QStringLiteral("Clave (F1)"));
  RadioDescripcion = radio(QStringLiteral("RadioDescripcion"), QStringLiteral("Descripción (F2)"));
  RadioCodigo = radio(QStringLiteral("RadioCodigo"), QStringLiteral("Código (F3)"));
  RadioFiltro = radio(QStringLiteral("RadioFiltro"), QStringLiteral("Filtro Avanzado (F4)"));
  RadioClave->setChecked(true);
  Precios = Nombrado(new QSpinBox(Panel1), QStringLiteral("Precios"));
  Precios->setRange(1, kPrecios);
  Precios->setValue(1);
  arriba->addWidget(Precios);
  ActivaBusqueda =
      Nombrado(new QCheckBox(QStringLiteral("Activar Busqueda"), Panel1), QStringLiteral("ActivaBusqueda"));
  VerPoliticas = Nombrado(new QCheckBox(QStringLiteral("Ver Politicas"), Panel1), QStringLiteral("VerPoliticas"));
  arriba->addWidget(ActivaBusqueda);
  arriba->addWidget(VerPoliticas);
  BotonBuscar = Nombrado(new QPushButton(QStringLiteral("Buscar"), Panel1), QStringLiteral("BotonBuscar"));
  BotonBuscar->setToolTip(QStringLiteral("Buscar"));
  BotonFiltro = Nombrado(new QPushButton(QStringLiteral("Filtro (F5)"), Panel1), QStringLiteral("BotonFiltro"));
  arriba->addWidget(BotonBuscar);
  arriba->addWidget(BotonFiltro);
  LabeltiempoBusqueda = Nombrado(new QLabel(Panel1), QStringLiteral("LabeltiempoBusqueda"));
  arriba->addWidget(LabeltiempoBusqueda, 1);

  // The grid.
  Detalle = Nombrado(new ui::RejillaDatos(this), QStringLiteral("Detalle"));
  Detalle->SetSoloLectura(true);
  Detalle->setSelectionBehavior(QAbstractItemView::SelectRows);
  Detalle->AgregaColumna(QStringLiteral("CLPRO_I"), QStringLiteral("Producto"), 130);
  Detalle->AgregaColumna(QStringLiteral("DSCPR_I"), QStringLiteral("Descripción"), 300);
  Detalle->AgregaColumna(QStringLiteral("PPUBL_I"), QStringLiteral("Precio Públ."), 61);
  for (int n = 2; n <= kPrecios; ++n)
    Detalle->AgregaColumna(CampoPrecioLista(n), QStringLiteral("Precio %1").arg(n), -1);
  Detalle->AgregaColumna(QStringLiteral("EXIST_I"), QStringLiteral("Existencias"), 59);
  Detalle->AgregaColumna(QStringLiteral("LIPRO_I"));
  Detalle->AgregaColumna(QStringLiteral("PESUR_I"), QStringLiteral("Pendiente"));
  Detalle->AgregaColumna(QStringLiteral("CODIG_I"), QStringLiteral("Código"), 80);
  Detalle->AgregaColumna(QStringLiteral("UEMPA_I"), QStringLiteral("Empaque"), 52);
  Detalle->SetFuente(DataSource1);
  ui::Eventos& rejilla = ui::Eventos::De(Detalle);
  ui::Conecta(&rejilla, &ui::Eventos::KeyUp, this, [this](int& tecla, Qt::KeyboardModifiers) {
    if (tecla == Qt::Key_Up || tecla == Qt::Key_Down) FilaCambiada();
  });
  ui::Conecta(&rejilla, &ui::Eventos::KeyDown, this, [this](int& tecla, Qt::KeyboardModifiers shift) {
    if (!(shift & Qt::KeypadModifier)) return;
    if (tecla == Qt::Key_Plus) FuenteRejilla(1);
    else if (tecla == Qt::Key_Minus) FuenteRejilla(-1);
  });
  ui::Conecta(Detalle, &ui::RejillaDatos::CellClick, this, [this] { FilaCambiada(); });
  ui::Conecta(&rejilla, &ui::Eventos::DblClick, this, [this] {
    SetTag(1);
    Close();
  });

  // The right-hand panel: the table's current row.
  Panel2 = Nombrado(new ui::Panel(this), QStringLiteral("Panel2"));
  Panel2->setFixedWidth(200);
  auto* derecha = new QVBoxLayout(Panel2);
  LabelEmpaque = Nombrado(new QLabel(Panel2), QStringLiteral("LabelEmpaque"));
  derecha->addWidget(LabelEmpaque);
  LabelLinea = Nombrado(new ui::EtiquetaDatos(Panel2), QStringLiteral("LabelLinea"));
  LabelLinea->SetFuente(DataSource1);
  LabelLinea->SetCampo(QStringLiteral("LIPRO_I"));
  QFont grande = LabelLinea->font();
  grande.setPointSize(grande.pointSize() * 2);
  grande.setBold(true);
  LabelLinea->setFont(grande);
  derecha->addWidget(LabelLinea);
  Label2 = Nombrado(new QLabel(QStringLiteral("Precio      Hasta"), Panel2), QStringLiteral("Label2"));
  derecha->addWidget(Label2);
  Panel4 = Nombrado(new ui::Panel(Panel2, ui::Panel::Bisel::Hundido), QStringLiteral("Panel4"));
  auto* precios = new QGridLayout(Panel4);
  for (int n = 1; n <= kPrecios; ++n) {
    auto* precio = Nombrado(new ui::EtiquetaDatos(Panel4), QStringLiteral("Prec%1").arg(n));
    precio->SetFuente(DataSource1);
    precio->SetCampo(CampoPrecioLista(n));
    auto* limite = Nombrado(new ui::EtiquetaDatos(Panel4), QStringLiteral("Pol%1").arg(n));
    limite->SetFuente(DataSource1);
    limite->SetCampo(QStringLiteral("POLI%1_I").arg(n));
    precios->addWidget(precio, n - 1, 0, Qt::AlignRight);
    precios->addWidget(limite, n - 1, 1, Qt::AlignRight);
  }
  derecha->addWidget(Panel4);
  derecha->addStretch(1);

  auto* capa = new QVBoxLayout(this);
  capa->setContentsMargins(0, 0, 0, 0);
  capa->setSpacing(0);
  capa->addWidget(Panel1);
  auto* cuerpo = new QHBoxLayout;
  cuerpo->addWidget(Detalle, 1);
  cuerpo->addWidget(Panel2);
  capa->addLayout(cuerpo, 1);

  const auto orden = [this](QRadioButton* r, int n) {
    ui::Conecta(r, &QRadioButton::clicked, this, [this, n] { OrdenaPor(n, false); });
  };
  orden(RadioClave, 1);
  orden(RadioDescripcion, 2);
  orden(RadioCodigo, 3);
  ui::Conecta(RadioFiltro, &QRadioButton::clicked, this, [this] { Detalle->setFocus(); });
  ui::Conecta(BotonBuscar, &QPushButton::clicked, this, [this] { BusquedaRapida(); });
  ui::Conecta(BotonFiltro, &QPushButton::clicked, this, [this] { FiltroDosCampos(); });
  ui::Conecta(Precios, &QSpinBox::valueChanged, this, [this] { PreciosCambiados(); });
  ui::Conecta(ActivaBusqueda, &QCheckBox::toggled, this, [this] { PreciosCambiados(); });
  ui::Conecta(VerPoliticas, &QCheckBox::toggled, this, [this] { PreciosCambiados(); });

  // Creation.
  TextoTecleado.clear();
  const QScreen* pantalla = QGuiApplication::primaryScreen();
  resize((pantalla ? pantalla->geometry().width() : 800) - 20, 480);
  LeePrecios();
  UltimoAlmacenConsulta = 0;
  QString multialmacen;
  LeeLineaConfig(ConfMultialmacen, multialmacen);
  FiltroPorAlmacen = multialmacen == u"S";
}

TFormaConProduct::~TFormaConProduct() {
  // The grid lets go of its data source before the tables go.
  Detalle->SetFuente(nullptr);
}

void TFormaConProduct::FormShow() { Detalle->setFocus(); }

void TFormaConProduct::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  const Qt::KeyboardModifiers mods = shift & ~Qt::KeypadModifier;
  switch (tecla) {
    case Qt::Key_Escape:
      SetTag(100);
      Close();
      tecla = 0;
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      SetTag(1);
      Close();
      tecla = 0;
      return;
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5:
    case Qt::Key_F12: {
      // A command is done here and goes no further (its dialogs move the
      // focus, and the key must not come back to the window as a new one).
      const int comando = tecla;
      TextoTecleado.clear();
      tecla = 0;
      ui::Protege([&] {
        if (comando == Qt::Key_F4) BusquedaContieneDesdeTeclado();
        else if (comando == Qt::Key_F5) FiltroDosCampos();
        else if (comando == Qt::Key_F12)
          MuestraMensaje(QStringLiteral("El precio por Empaque      ") + TextoPrecioPorEmpaque());
        else OrdenaPor(comando - Qt::Key_F1 + 1, true);
      });
      return;
    }
    case Qt::Key_B:
      if (mods != Qt::ControlModifier) break;
      TextoTecleado.clear();
      tecla = 0;
      ui::Protege([this] { BusquedaRapida(); });
      return;
    default:
      break;
  }
  // Type-ahead: Alt and a key in the grid on the grid's own text, any other
  // key on the window's; a key held with Ctrl is not typed.
  const int codigo = mods & Qt::ControlModifier ? 0 : CodigoVirtual(tecla, shift);
  const bool enRejilla = Detalle->hasFocus();
  if (enRejilla && mods == Qt::AltModifier) {
    TecleaBusqueda(TextoTecleadoGrid, codigo, 'A');
    return;
  }
  if (enRejilla) TextoTecleadoGrid.clear();
  TecleaBusqueda(TextoTecleado, codigo, '1');
}

int CodigoVirtual(int tecla, Qt::KeyboardModifiers modificadores) {
  if (tecla >= Qt::Key_A && tecla <= Qt::Key_Z) return tecla;  // 65 to 90, as the key codes
  if (tecla >= Qt::Key_0 && tecla <= Qt::Key_9)
    return (modificadores & Qt::KeypadModifier) ? 96 + tecla - Qt::Key_0 : tecla;  // 96 to 105; 48 to 57
  return 0;
}

void TFormaConProduct::FuenteRejilla(int delta) {
  QFont f = Detalle->font();
  f.setPointSize(std::max(1, f.pointSize() + delta));
  Detalle->setFont(f);
}

void TFormaConProduct::FilaCambiada() {
  if (!EnModoConsulta()) {
    MuestraEmpaqueProducto();
    return;
  }
  // The right-hand panel shows the product of the query's row.
  const db::Dataset* consulta = DataSource2->DataSet();
  if (!consulta || !consulta->Active() || consulta->RecNo() == 0 || !TablaConProducto->Active()) return;
  const QString clave = consulta->FieldByName(QStringLiteral("CLPRO_I")).AsString();
  const QString tag = TablaConProducto->IndexName();
  TablaConProducto->SetIndexName(kTagClaveProducto);
  TablaConProducto->FindKey({clave});
  TablaConProducto->SetIndexName(tag);
}
