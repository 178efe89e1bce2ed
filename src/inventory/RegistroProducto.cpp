#include "inventory/RegistroProducto.h"

#include "foundation/rutinas_tablas.h"
#include "inventory/CamposRegistro.h"
#include "inventory/EdicionFila.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"

#include <array>
#include <vector>

namespace {

using R = TRegistroProducto;
using CampoProducto = registro::Campo<R>;

constexpr int kListasFijas = 7;
constexpr std::array<const char*, kListasFijas> kColumnasPrecio = {"PPUBL_I", "PLIS2_I", "PLIS3_I", "PLIS4_I",
                                                                    "PMINI_I", "PLIS6_I", "PLIS7_I"};
constexpr std::array<std::optional<Dinero> R::*, kListasFijas> kPrecios = {
    &R::PPUBL_I, &R::PLIS2_I, &R::PLIS3_I, &R::PLIS4_I, &R::PMINI_I, &R::PLIS6_I, &R::PLIS7_I};
constexpr std::array<std::optional<double> R::*, kListasFijas> kPoliticas = {
    &R::POLI1_I, &R::POLI2_I, &R::POLI3_I, &R::POLI4_I, &R::POLI5_I, &R::POLI6_I, &R::POLI7_I};
constexpr std::array<std::optional<double> R::*, kListasFijas> kPorcentajes = {
    &R::PORC1_I, &R::PORC2_I, &R::PORC3_I, &R::PORC4_I, &R::PORC5_I, &R::PORC6_I, &R::PORC7_I};

const std::vector<CampoProducto>& Campos() {
  static const std::vector<CampoProducto> campos = [] {
    std::vector<CampoProducto> c = {
        {"CLPRO_I", &R::CLPRO_I}, {"DSCPR_I", &R::DSCPR_I}, {"CODIG_I", &R::CODIG_I}, {"UMEDI_I", &R::UMEDI_I},
        {"LIPRO_I", &R::LIPRO_I}, {"UEMPA_I", &R::UEMPA_I}, {"EXIFA_I", &R::EXIFA_I}, {"CLPR1_I", &R::CLPR1_I},
        {"CLPR2_I", &R::CLPR2_I}, {"FEALT_I", &R::FEALT_I}, {"FEULC_I", &R::FEULC_I}, {"FEULV_I", &R::FEULV_I},
        {"HORAF_F", &R::HORAF_F}, {"PTICA_I", &R::PTICA_I}, {"TICOS_I", &R::TICOS_I}, {"PIVA1_I", &R::PIVA1_I},
        {"PIVA2_I", &R::PIVA2_I}, {"STMIN_I", &R::STMIN_I}, {"STMAX_I", &R::STMAX_I}, {"EXIST_I", &R::EXIST_I},
        {"COMRE_I", &R::COMRE_I}, {"PESUR_I", &R::PESUR_I}, {"ULCOS_I", &R::ULCOS_I}, {"CPROM_I", &R::CPROM_I},
        {"VANMO_I", &R::VANMO_I}, {"VANCA_I", &R::VANCA_I}, {"DESCU_I", &R::DESCU_I}, {"UBICA_I", &R::UBICA_I},
        {"ALMAC_I", &R::ALMAC_I}, {"IMAGE_I", &R::IMAGE_I}, {"SERIE_I", &R::SERIE_I}, {"KITXX_I", &R::KITXX_I},
        {"FPGCC_I", &R::FPGCC_I}, {"FPGCI_I", &R::FPGCI_I}, {"FACTO_I", &R::FACTO_I}, {"CADUC_I", &R::CADUC_I},
        {"MENSA_I", &R::MENSA_I}, {"DESC1_I", &R::DESC1_I, true}, {"DESC2_I", &R::DESC2_I, true},
        {"DESC3_I", &R::DESC3_I, true}};
    static const std::array<const char*, kListasFijas> politicas = {"POLI1_I", "POLI2_I", "POLI3_I", "POLI4_I",
                                                                     "POLI5_I", "POLI6_I", "POLI7_I"};
    static const std::array<const char*, kListasFijas> porcentajes = {"PORC1_I", "PORC2_I", "PORC3_I", "PORC4_I",
                                                                       "PORC5_I", "PORC6_I", "PORC7_I"};
    for (int i = 0; i < kListasFijas; ++i) {
      c.push_back({kColumnasPrecio[i], kPrecios[i]});
      c.push_back({politicas[i], kPoliticas[i]});
      c.push_back({porcentajes[i], kPorcentajes[i]});
    }
    return c;
  }();
  return campos;
}

// The list number of an extra price column ("PLIS150_I" gives 150); 0 for
// any other column.
int ListaExtra(const QString& columna) {
  if (!columna.startsWith(QLatin1String("PLIS"), Qt::CaseInsensitive) ||
      !columna.endsWith(QLatin1String("_I"), Qt::CaseInsensitive))
    return 0;
  bool numero = false;
  const int n = columna.mid(4, columna.size() - 6).toInt(&numero);
  return numero && n > kListasFijas ? n : 0;
}

bool ListaFija(int lista) { return lista >= 1 && lista <= kListasFijas; }

QString ProductoOcupado(const db::Tabla& productos) {
  return QStringLiteral("El producto %1 está en uso en otra estación")
      .arg(productos.FieldByName(QStringLiteral("CLPRO_I")).AsString());
}

// Changes the product table's current row under its lock (CambiaFila).
void CambiaExistencia(db::Tabla& productos, const std::function<void()>& cambio) {
  CambiaFila(productos, ProductoOcupado(productos), cambio);
}

}  // namespace

QString CampoPrecioLista(int lista) {
  if (lista < 1) return {};
  if (ListaFija(lista)) return QString::fromLatin1(kColumnasPrecio[lista - 1]);
  return QStringLiteral("PLIS%1_I").arg(lista);
}

void TRegistroProducto::Lee(const db::Dataset& productos) {
  registro::Lee(*this, productos, Campos());
  PreciosExtra.clear();
  for (int i = 0; i < productos.FieldCount(); ++i) {
    const db::Campo& campo = productos.Fields(i);
    if (const int n = ListaExtra(campo.Nombre())) PreciosExtra[n] = registro::LeeImporte(campo);
  }
}

void TRegistroProducto::Escribe(db::Dataset& productos) const {
  registro::Escribe(*this, productos, Campos());
  for (const auto& [lista, precio] : PreciosExtra)
    if (db::Campo* campo = productos.FindField(CampoPrecioLista(lista))) registro::Escribe(*campo, precio);
}

bool TRegistroProducto::TieneLista(int lista) const { return ListaFija(lista) || PreciosExtra.contains(lista); }

std::optional<Dinero> TRegistroProducto::Precio(int lista) const {
  if (ListaFija(lista)) return this->*kPrecios[lista - 1];
  const auto i = PreciosExtra.find(lista);
  return i == PreciosExtra.end() ? std::nullopt : i->second;
}

std::optional<double> TRegistroProducto::Politica(int lista) const {
  return ListaFija(lista) ? this->*kPoliticas[lista - 1] : std::nullopt;
}

std::optional<double> TRegistroProducto::Porcentaje(int lista) const {
  return ListaFija(lista) ? this->*kPorcentajes[lista - 1] : std::nullopt;
}

std::optional<Dinero> TRegistroProducto::PrecioDesdeCosto(int lista) const {
  if (!ListaFija(lista) || !ULCOS_I) return std::nullopt;
  return *ULCOS_I * (1 + Porcentaje(lista).value_or(0) / 100);
}

double TRegistroProducto::Disponible() const { return EXIST_I.value_or(0) - PESUR_I.value_or(0); }

std::optional<double> TRegistroProducto::ExistenciaEnEmpaques() const {
  if (!UEMPA_I || *UEMPA_I <= 0) return std::nullopt;
  return EXIST_I.value_or(0) / *UEMPA_I;
}

bool LocalizaProducto(db::Tabla& productos, const QString& texto) {
  if (texto.isEmpty()) return false;
  const QString tag = productos.IndexName();
  const auto buscaEn = [&](const QString& enTag, const QString& valor) {
    if (productos.IndexName().compare(enTag, Qt::CaseInsensitive) != 0) productos.SetIndexName(enTag);
    return productos.FindKey({valor});
  };
  const bool hallado = buscaEn(kTagClaveProducto, texto) || buscaEn(kTagCodigoProducto, texto.toUpper());
  if (productos.IndexName().compare(tag, Qt::CaseInsensitive) != 0) productos.SetIndexName(tag);
  return hallado;
}

QString ClavePorCodigo(const QString& carpeta, const QString& texto) {
  if (texto.isEmpty()) return {};
  try {
    db::Tabla codigos;
    codigos.SetCarpeta(carpeta);
    codigos.SetNombreTabla(kTablaProductos);
    codigos.SetIndexName(kTagClaveProducto);
    codigos.SetReadOnly(true);
    codigos.Open();
    if (!LocalizaProducto(codigos, texto)) return {};
    return codigos.FieldByName(QStringLiteral("CLPRO_I")).AsString();
  } catch (const plat::Error&) {
    return {};
  }
}

QString SiguienteClaveProducto(const db::Tabla& productos) {
  return SiguienteClaveNumerica(productos, QStringLiteral("CLPRO_I"));
}

double SumaExistencia(db::Tabla& productos, double cantidad, const AjusteExistencia& ajuste) {
  db::Campo& existencia = productos.FieldByName(QStringLiteral("EXIST_I"));
  CambiaExistencia(productos, [&] {
    existencia.SetAsFloat(registro::LeeReal(existencia).value_or(0) + cantidad);
    if (ajuste) ajuste(productos);
  });
  return existencia.AsFloat();
}

bool AnulaExistenciaNegativa(db::Tabla& productos) {
  db::Campo& existencia = productos.FieldByName(QStringLiteral("EXIST_I"));
  return CambiaFilaSi(productos, ProductoOcupado(productos), [&] {
    if (existencia.AsFloat() >= 0) return false;
    existencia.SetAsFloat(0);
    return true;
  });
}

void FijaExistencia(db::Tabla& productos, const QString& existencia, const AjusteExistencia& ajuste) {
  db::Campo& campo = productos.FieldByName(QStringLiteral("EXIST_I"));
  CambiaExistencia(productos, [&] {
    campo.SetAsString(existencia);
    if (ajuste) ajuste(productos);
  });
}
