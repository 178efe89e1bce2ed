#include "reports/Filtros.h"

#include "foundation/rutinas_catalogo.h"
#include "foundation/rutinas_numero.h"
#include "platform/db/Dataset.h"
#include "platform/db/Valores.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/RejillaTexto.h"
#include "reports/Operador.h"

#include <QFont>
#include <QPushButton>

#include <limits>
#include <optional>

namespace {

constexpr int kColumnaClave = 0;
constexpr int kColumnaCampo = 1;
constexpr int kColumnaCondicion = 2;
constexpr int kColumnaValor = 3;
constexpr int kColumnaTipo = 4;
const QString kNoDisponible = QStringLiteral("No Disponible");
const QString kTipoFecha = QStringLiteral("ftDate");

bool EsNumero(db::TipoDato tipo) {
  return tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda;
}

// How a condition compares, from its type name and its field.
enum class Comparacion { Fecha, Numero, Texto };

Comparacion ComparacionDe(const CondicionFiltro& c, const db::Campo& campo) {
  if (c.tipo == kTipoFecha || campo.Tipo() == db::TipoDato::Fecha) return Comparacion::Fecha;
  if (EsNumero(campo.Tipo())) return Comparacion::Numero;
  return Comparacion::Texto;
}

// A condition ready for the records: its operator code, its field and its
// value in the kind it compares as.
struct CondicionLista {
  QChar codigo;
  bool fechaDeCatalogo = false;  // a date condition: "&" restricts nothing
  int campo = -1;
  Comparacion comparacion = Comparacion::Texto;
  QString texto;
  QByteArray bytes;
  double numero = 0;
  QDate fecha;
};

// Code of an operator word that puts a condition, else nothing.
std::optional<QChar> CodigoFiltro(const QString& operador) {
  const QString codigo = CodigoOperador(operador);
  if (codigo.size() != 1 || !QStringLiteral("=<>XYZW").contains(codigo[0])) return std::nullopt;
  return codigo[0];
}

std::optional<double> NumeroDe(const QString& valor) {
  if (valor.trimmed().isEmpty()) return 0.0;
  return db::RealDeTexto(valor);
}

// The conditions of the store that put a restriction, bound to the
// dataset's fields. Throws plat::Error for a field the dataset lacks;
// nullopt when a value does not read as its comparison needs.
std::optional<std::vector<CondicionLista>> Prepara(const db::Dataset& datos) {
  std::vector<CondicionLista> listas;
  for (const CondicionFiltro& c : FiltrosCatalogo().condiciones) {
    if (c.operador.isEmpty()) continue;
    const std::optional<QChar> codigo = CodigoFiltro(c.operador);
    if (!codigo) continue;
    const db::Campo& campo = datos.FieldByName(c.campo);
    CondicionLista l;
    l.codigo = *codigo;
    l.fechaDeCatalogo = c.tipo == kTipoFecha;
    l.campo = campo.Indice();
    l.comparacion = ComparacionDe(c, campo);
    l.texto = c.valor;
    l.bytes = fs::ACp1252(c.valor);
    if (l.codigo != u'W') {
      if (l.comparacion == Comparacion::Fecha) {
        l.fecha = db::FechaDeTexto(c.valor.trimmed());
        if (!l.fecha.isValid()) return std::nullopt;
      } else if (l.comparacion == Comparacion::Numero) {
        const std::optional<double> numero = NumeroDe(c.valor);
        if (!numero) return std::nullopt;
        l.numero = *numero;
      }
    }
    listas.push_back(std::move(l));
  }
  return listas;
}

// -1, 0 or 1 as a is before, equal to or after b.
template <class T>
int Compara(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

bool Cumple(int orden, QChar codigo) {
  switch (codigo.unicode()) {
    case u'=': return orden == 0;
    case u'<': return orden < 0;
    case u'>': return orden > 0;
    case u'X': return orden != 0;
    case u'Y': return orden <= 0;
    case u'Z': return orden >= 0;
    default: return true;
  }
}

QDate FechaCampo(const db::Campo& campo) {
  if (campo.Tipo() == db::TipoDato::Fecha) return campo.AsDate();
  return db::FechaDeTexto(campo.AsString().trimmed());
}

bool CumpleCondicion(const CondicionLista& c, db::Dataset& datos) {
  const db::Campo& campo = datos.Fields(c.campo);
  if (c.codigo == u'W') {
    if (c.fechaDeCatalogo) return true;
    return campo.AsString().contains(c.texto, Qt::CaseSensitive);
  }
  switch (c.comparacion) {
    case Comparacion::Fecha: {
      // A blank date comes before any date.
      const QDate fecha = FechaCampo(campo);
      const qint64 dia = fecha.isValid() ? fecha.toJulianDay() : std::numeric_limits<qint64>::min();
      return Cumple(Compara(dia, c.fecha.toJulianDay()), c.codigo);
    }
    case Comparacion::Numero:
      return Cumple(Compara(campo.AsFloat(), c.numero), c.codigo);
    case Comparacion::Texto:
      return Cumple(Compara(fs::ACp1252(campo.AsString()), c.bytes), c.codigo);
  }
  return true;
}

}  // namespace

TFiltrosCatalogo& FiltrosCatalogo() {
  static TFiltrosCatalogo filtros;
  return filtros;
}

TFormaFiltros::TFormaFiltros(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaFiltros>() = this;
  setObjectName(QStringLiteral("FormaFiltros"));
  setWindowTitle(QStringLiteral("Filtros"));
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(354, 451);

  TablaFiltros = new ui::RejillaTexto(this, 5, kRenglones, 0, 1);
  TablaFiltros->setObjectName(QStringLiteral("TablaFiltros"));
  TablaFiltros->setGeometry(8, 8, 338, 390);
  QFont fuente(QStringLiteral("Arial"));
  fuente.setBold(true);
  TablaFiltros->setFont(fuente);
  TablaFiltros->SetDefaultRowHeight(16);
  TablaFiltros->SetEditable(true);
  TablaFiltros->SetEnterComoTab(false);
  const char* const titulos[] = {"Clave", "Campo", "Condición", "Valor", ""};
  for (int c = 0; c < 5; ++c) TablaFiltros->SetCells(c, 0, QString::fromUtf8(titulos[c]));
  TablaFiltros->SetColWidths(kColumnaCampo, 160);
  TablaFiltros->SetColWidths(kColumnaCondicion, 60);
  TablaFiltros->SetColWidths(kColumnaValor, 60);
  TablaFiltros->setColumnHidden(kColumnaClave, true);
  TablaFiltros->setColumnHidden(kColumnaTipo, true);

  const auto boton = [this](const char* nombre, const QString& texto, int izquierda) {
    auto* b = new QPushButton(texto, this);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setGeometry(izquierda, 410, 100, 30);
    return b;
  };
  BotonFiltrar = boton("BotonFiltrar", QStringLiteral("&Filtrar"), 40);
  BitBtn2 = boton("BitBtn2", QStringLiteral("&Cancelar"), 214);
  BitBtn3 = boton("BitBtn3", QStringLiteral("&Aplicar Operación"), 127);
  BitBtn3->hide();

  ui::Conecta(BotonFiltrar, &QPushButton::clicked, this, [this] { BotonFiltrarClick(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::Conecta(&ui::Eventos::De(TablaFiltros), &ui::Eventos::KeyDown, this,
              [this](int& tecla, Qt::KeyboardModifiers) {
                if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter) return;
                tecla = 0;
                BotonFiltrarClick();
              });
  ui::Conecta(&ui::Eventos::De(TablaFiltros), &ui::Eventos::DblClick, this, [this] { TablaFiltrosDblClick(); });
  ui::CentraEnPantalla(*this);
}

void TFormaFiltros::BotonFiltrarClick() {
  TablaFiltros->CierraEditor();
  SetTag(1);
  Close();
}

void TFormaFiltros::BitBtn2Click() {
  SetTag(0);
  Close();
}

void TFormaFiltros::TablaFiltrosDblClick() {
  if (TablaFiltros->Col() != kColumnaCondicion) return;
  TFormaOperador operador;
  operador.ShowModal();
}

void CargaCamposFiltro(const QString& tabla) {
  TFormaFiltros* forma = FormaFiltros();
  if (!forma) return;
  ui::RejillaTexto& rejilla = *forma->TablaFiltros;
  for (int r = 1; r < rejilla.RowCount(); ++r)
    for (int c = 0; c < rejilla.ColCount(); ++c) rejilla.SetCells(c, r, QString());
  const int bloque = PosicionTablaCatalogo(tabla) * kRegistrosPorTabla;
  int renglon = 1;
  for (int e = bloque + 1; e < bloque + kRegistrosPorTabla && renglon < rejilla.RowCount(); ++e) {
    QString campo, descripcion, tipo;
    DatoCatalogoCampos(e, 1, campo);
    DatoCatalogoCampos(e, 2, descripcion);
    DatoCatalogoCampos(e, 3, tipo);
    rejilla.SetCells(kColumnaClave, renglon, campo);
    rejilla.SetCells(kColumnaCampo, renglon, descripcion);
    rejilla.SetCells(kColumnaCondicion, renglon, QString());
    rejilla.SetCells(kColumnaValor, renglon, QString());
    rejilla.SetCells(kColumnaTipo, renglon, tipo);
    if (!descripcion.isEmpty() && descripcion != kNoDisponible) ++renglon;
  }
}

QVector<CondicionFiltro> LeeFiltrosCatalogo() {
  QVector<CondicionFiltro> condiciones;
  TFormaFiltros* forma = FormaFiltros();
  if (!forma) return condiciones;
  const ui::RejillaTexto& rejilla = *forma->TablaFiltros;
  for (int r = 1; r < rejilla.RowCount(); ++r) {
    if (rejilla.Cells(kColumnaCondicion, r).isEmpty()) continue;
    condiciones.push_back({rejilla.Cells(kColumnaClave, r), rejilla.Cells(kColumnaCondicion, r),
                           rejilla.Cells(kColumnaValor, r), rejilla.Cells(kColumnaTipo, r)});
  }
  return condiciones;
}

void DesglosaFiltrosCatalogo(const QVector<CondicionFiltro>& condiciones) {
  auto& guardadas = FiltrosCatalogo().condiciones;
  guardadas.fill(CondicionFiltro{});
  ++FiltrosCatalogo().version;
  for (qsizetype i = 0; i < condiciones.size() && i < TFiltrosCatalogo::kCondiciones; ++i)
    guardadas[static_cast<size_t>(i)] = condiciones[i];
}

bool RevisaFiltrosCatalogo(const db::Dataset& datos) { return Prepara(datos).has_value(); }

bool CumpleFiltrosCatalogo(db::Dataset& datos) {
  // Prepared once for each version of the store and each table.
  static struct {
    int version = -1;
    const db::Dataset* datos = nullptr;
    QString tabla;
    std::optional<std::vector<CondicionLista>> listas;
  } cache;
  const TFiltrosCatalogo& filtros = FiltrosCatalogo();
  if (cache.version != filtros.version || cache.datos != &datos || cache.tabla != datos.NombreTabla()) {
    cache.listas = Prepara(datos);
    cache.version = filtros.version;
    cache.datos = &datos;
    cache.tabla = datos.NombreTabla();
  }
  // A value that does not read passes nothing.
  if (!cache.listas) return false;
  for (const CondicionLista& c : *cache.listas)
    if (!CumpleCondicion(c, datos)) return false;
  return true;
}

bool FiltroRegistroCatalogo(db::Dataset& datos) {
  if (datos.NombreTabla() == u"cucobrar.dbf") {
    const QString movimiento = datos.FieldByName(QStringLiteral("TIMOV_CC")).AsString();
    return movimiento == u"1" || movimiento == u"2";
  }
  return CumpleFiltrosCatalogo(datos);
}
