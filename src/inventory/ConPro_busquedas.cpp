// The product lookup's entries and searches: preparing the table, the
// warehouse filter, the orders, the quick search, the search by a text in
// the description, the two-field filter and the type-ahead.

#include "foundation/buscar.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/ConPro.h"
#include "inventory/ConsultaContiene.h"
#include "inventory/RegistroProducto.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr int kMaximoTecleado = 20;
// Codes of the type-ahead: from "1" (the window) or "A" (the grid) up to
// the numeric-pad 9.
constexpr int kUltimoTecleado = 105;
constexpr int kPrimerNumericoTeclado = 96;

struct Orden {
  const QString& tag;
  const char* titulo;        // set by a lookup in that order
  const char* tituloTecla;   // set by F1, F2, F3
  QRadioButton* TFormaConProduct::*radio;
};

const Orden& OrdenNumero(int n) {
  static const Orden ordenes[] = {
      {kTagClaveProducto, "Catálogo de Productos ORDENADO POR CLAVE ", "Catálogo de Productos Ordenado por CLAVE",
       &TFormaConProduct::RadioClave},
      {kTagDescripcionProducto, "Catálogo de Productos ORDENADO POR DESCRIPCION ",
       "Catálogo de Productos Ordenado por DESCRIPCION", &TFormaConProduct::RadioDescripcion},
      {kTagCodigoProducto, "Catálogo de Productos ORDENADO POR CODIGO ", "Catálogo de Productos Ordenado por CODIGO",
       &TFormaConProduct::RadioCodigo},
  };
  return ordenes[n - 1];
}

bool OrdenValido(int n) { return n >= 1 && n <= 3; }

// The LIKE operand matching the texts that hold `texto` as typed.
QString PatronContiene(const QString& texto) {
  return db::LiteralApostrofos(QStringLiteral("%") + db::PatronLike(texto) + QStringLiteral("%")) +
         QString::fromLatin1(db::kEscapeLike);
}

// The quick search dialog with its key and name options hidden.
void PreparaBusqueda(TFormaBusqueda& busqueda) {
  busqueda.Clave->hide();
  busqueda.Nombre->hide();
}

TFormaConProduct& Ventana() {
  TFormaConProduct* f = FormaConProduct();
  if (!f) throw plat::Error(plat::Clase::Estado, QStringLiteral("El Catálogo de Productos no se ha creado"));
  return *f;
}

// The key of the row a dataset stands on; "" when none.
QString ClaveDe(const db::Dataset& datos) {
  if (!datos.Active() || datos.RecNo() == 0) return {};
  const db::Campo* clave = datos.FindField(QStringLiteral("CLPRO_I"));
  return clave ? clave->AsString() : QString();
}

}  // namespace

// --- The entries.

void TFormaConProduct::PreparaConsultaProductos() {
  if (!TablaConProducto->Active()) {
    try {
      ApuntaTabla(*TablaConProducto);
      AbreTabla(*TablaConProducto);
    } catch (const plat::Error&) {
      // No data folder: the lookup shows no products, as with a table that fails.
    }
  }
  MuestraEmpaqueProducto();
}

void TFormaConProduct::PreparaEntrada(int almacen, bool porAlmacen) {
  MuestraTabla();
  if (Tag() == 0) PreparaConsultaProductos();
  if (!porAlmacen) return;
  if (FiltroPorAlmacen && (!almacenFiltrado_ || almacen != UltimoAlmacenConsulta)) {
    // Warehouse 0: the rows that have none.
    const QString numero = almacen == 0 ? QString() : QString::number(almacen);
    TablaConProducto->SetFilter(QStringLiteral("ALMAC_I='%1'").arg(numero));
    TablaConProducto->SetFiltered(true);
    UltimoAlmacenConsulta = almacen;
    almacenFiltrado_ = true;
  }
  SetTag(1);
}

void TFormaConProduct::SituaEnOrden(int orden, bool titulo, const QString& texto) {
  if (OrdenValido(orden)) {
    TablaConProducto->SetIndexName(OrdenNumero(orden).tag);
    if (titulo) setWindowTitle(QString::fromUtf8(OrdenNumero(orden).titulo));
  }
  if (!TablaConProducto->Active()) return;  // failed to open: logged, the window still shows
  TablaConProducto->Refresh();
  TablaConProducto->FindNearest({texto});
}

void TFormaConProduct::MuestraTabla() { Detalle->SetFuente(DataSource1); }

void TFormaConProduct::MuestraConsulta(db::Dataset* consulta) {
  DataSource2->SetDataSet(consulta);
  Detalle->SetFuente(DataSource2);
}

bool TFormaConProduct::EnModoConsulta() const { return Detalle->Fuente() == DataSource2; }

QString TFormaConProduct::Resultado(const QString& inicial) const {
  if (Tag() != 1) return inicial;
  const db::Dataset* datos = EnModoConsulta() ? DataSource2->DataSet() : TablaConProducto;
  return datos ? ClaveDe(*datos) : QString();
}

void TFormaConProduct::CierraTablas() {
  TablaConProducto->Close();
  SetTag(0);
}

void BuscaProducto(const QString& inicial, int almacen, QString& clave) {
  TFormaConProduct& f = Ventana();
  f.PreparaEntrada(almacen, true);
  f.SituaEnOrden(1, false, inicial);
  f.ShowModal();
  clave = f.Resultado(inicial);
}

void BuscaProductoPorOrden(const QString& texto, int almacen, int orden, bool contiene, QString& clave) {
  TFormaConProduct& f = Ventana();
  f.PreparaEntrada(almacen, !contiene);
  if (contiene) {
    f.RadioFiltro->setChecked(true);
    f.BuscaContiene(texto);
  } else {
    f.SituaEnOrden(orden, true, texto);
  }
  f.SetTag(0);
  f.ShowModal();
  clave = f.Resultado(texto);
  f.MuestraTabla();
}

void CierraConsultaProductos() {
  if (TFormaConProduct* f = FormaConProduct()) f->CierraTablas();
}

void PrecioPorEmpaque(QString& precio) { precio = Ventana().TextoPrecioPorEmpaque(); }

void DescripcionConsultaProducto(QString& descripcion) { descripcion = Ventana().Descripcion(); }

// --- Searches.

void TFormaConProduct::OrdenaPor(int orden, bool teclado) {
  if (teclado) {
    MuestraTabla();
    (this->*OrdenNumero(orden).radio)->setChecked(true);
    TablaConProducto->SetIndexName(OrdenNumero(orden).tag);
    Detalle->setFocus();
    setWindowTitle(QString::fromUtf8(OrdenNumero(orden).tituloTecla));
    if (ActivaBusqueda->isChecked()) BusquedaRapida();
    return;
  }
  // A click on the radio button: a failure only focuses the grid.
  try {
    TablaConProducto->SetIndexName(OrdenNumero(orden).tag);
  } catch (const plat::Error&) {
  }
  Detalle->setFocus();
}

void TFormaConProduct::BusquedaRapida() {
  TFormaBusqueda busqueda(this);
  PreparaBusqueda(busqueda);
  busqueda.ShowModal();
  // Confirmed or left with Esc, a text typed is looked for.
  const QString texto = busqueda.CajaBuscar->text();
  try {
    if (!texto.isEmpty()) TablaConProducto->FindNearest({texto});
    MuestraEmpaqueProducto();
  } catch (const std::exception&) {
    MuestraMensaje(QStringLiteral("Valor no Válido"));
  }
}

void TFormaConProduct::BusquedaContieneDesdeTeclado() {
  RadioFiltro->setChecked(true);
  TFormaBusqueda busqueda(this);
  PreparaBusqueda(busqueda);
  busqueda.ShowModal();
  const QString texto = busqueda.CajaBuscar->text();
  if (!texto.isEmpty()) BuscaContiene(texto);
}

void TFormaConProduct::BuscaContiene(const QString& texto) {
  MuestraConsulta(QueryProducto);
  QueryProducto->Close();
  QueryProducto->SetCarpeta(TablaConProducto->Carpeta());
  QueryProducto->SetNombreTabla(kTablaProductos);
  QueryProducto->SetCampos({QStringLiteral("CLPRO_I"), QStringLiteral("DSCPR_I"), QStringLiteral("PPUBL_I")});
  QueryProducto->SetBusqueda(QStringLiteral("DSCPR_I"), texto);
  QueryProducto->Open();
}

void TFormaConProduct::FiltroDosCampos() {
  TFormaBusqueda busqueda(this);
  try {
    QStringList lineas = fs::LeeLineas(CarpetaPrograma(QStringLiteral("\\busca_extra.cnf")));
    lineas.resize(4);
    busqueda.LabelBusca1->setText(lineas[0]);
    busqueda.LabelCampo1->setText(lineas[1]);
    busqueda.LabelBusca2->setText(lineas[2]);
    busqueda.LabelCampo2->setText(lineas[3]);
  } catch (const plat::Error&) {
    // Missing or unreadable: the boxes as designed.
  }
  for (QWidget* w : std::initializer_list<QWidget*>{busqueda.Label1, busqueda.CajaBuscar, busqueda.Clave,
                                                    busqueda.Nombre, busqueda.Direccion})
    w->hide();
  for (QWidget* w : std::initializer_list<QWidget*>{busqueda.LabelBusca1, busqueda.EditBusca1, busqueda.LabelBusca2,
                                                    busqueda.EditBusca2})
    w->show();
  busqueda.ShowModal();
  if (busqueda.Tag() != 1) return;
  QElapsedTimer reloj;
  reloj.start();
  MuestraConsulta(QueryFiltro);
  QueryFiltro->Close();
  const QString sentencia = SentenciaFiltro(busqueda.LabelCampo1->text(), busqueda.EditBusca1->text(),
                                            busqueda.LabelCampo2->text(), busqueda.EditBusca2->text());
  if (!sentencia.isEmpty()) QueryFiltro->SetSQL(sentencia);
  if (!QueryFiltro->SQL().isEmpty()) QueryFiltro->Open();
  Detalle->setFocus();
  LabeltiempoBusqueda->setText(QStringLiteral("Tiempo de Busqueda ") +
                               FormatoMascara(QStringLiteral("###,##0.00"), reloj.elapsed() / 1000.0) +
                               QStringLiteral(" Segundos"));
}

QString TFormaConProduct::SentenciaFiltro(const QString& campo1, const QString& texto1, const QString& campo2,
                                          const QString& texto2) const {
  if (texto1.isEmpty() && texto2.isEmpty()) return {};
  // Only a field of the product table goes into the statement, by the
  // table's own name; any other name is the table's error for it.
  const auto campo = [this](const QString& nombre) { return TablaConProducto->FieldByName(nombre).Nombre(); };
  const QString tabla = TablaSQL(QStringLiteral("inventar.dbf"));
  const auto seleccion = [&](const QString& mostrado) {
    return QStringLiteral("SELECT CLPRO_I, DSCPR_I, PPUBL_I, ") + mostrado + QStringLiteral(" FROM ") + tabla;
  };
  if (!texto1.isEmpty() && !texto2.isEmpty()) {
    const QString f1 = campo(campo1), f2 = campo(campo2);
    return seleccion(f1) + QStringLiteral(" WHERE ((") + f1 + QStringLiteral(" LIKE ") + PatronContiene(texto1) +
           QStringLiteral(") AND (") + f2 + QStringLiteral(" LIKE ") + PatronContiene(texto2) +
           QStringLiteral(")) ORDER BY ") + f2;
  }
  const QString f = campo(texto1.isEmpty() ? campo2 : campo1);
  return seleccion(f) + QStringLiteral(" WHERE ") + f + QStringLiteral(" LIKE ") +
         PatronContiene(texto1.isEmpty() ? texto2 : texto1) + QStringLiteral(" ORDER BY ") + f;
}

void TFormaConProduct::TecleaBusqueda(QString& buffer, int codigoVirtual, int desde) {
  if (codigoVirtual < desde || codigoVirtual > kUltimoTecleado) {
    buffer.clear();
    return;
  }
  // A numeric-pad digit types its digit.
  const QChar c = codigoVirtual >= kPrimerNumericoTeclado ? QChar(u'0' + (codigoVirtual - kPrimerNumericoTeclado))
                                                          : QChar(codigoVirtual);
  if (buffer.size() < kMaximoTecleado) buffer += c;
  try {
    TablaConProducto->FindNearest({buffer});
  } catch (const plat::Error&) {
    buffer.clear();
  }
}
