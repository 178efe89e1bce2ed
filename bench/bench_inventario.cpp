// A product from what the user types, on a 1,000,000-product INVENTAR.DBF
// with its three tags (ICLPRO, DSCPR_I, CODIG_I) and an extra price list:
// the typed text found as a key, or as a code that is no key, the record
// filled and the price of a list read. Each case times 1,000 lookups of
// products spread over the table and reports the worst and the median.
//
// Target: <= 20 ms for the worst lookup of each case.

#include "inventory/RegistroProducto.h"
#include "inventory/TablasInventario.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

const QString kCarpeta = QStringLiteral("C:\\BENCH");
constexpr int kProductos = 1'000'000;
constexpr int kBusquedas = 1'000;

// Keys and codes in an order unrelated to the record number.
int Revuelto(int i) { return static_cast<int>((static_cast<qint64>(i) * 7'368'787) % 1'000'003); }
QString Clave(int i) { return QString::number(Revuelto(i)); }
QString Codigo(int i) { return QStringLiteral("CB%1").arg(Revuelto(i), 10, 10, QChar(u'0')); }

std::unique_ptr<db::Tabla> Abre(bool exclusiva = false) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(kCarpeta);
  t->SetNombreTabla(kTablaProductos);
  t->SetExclusive(exclusiva);
  t->Open();
  return t;
}

// The table, made once: rows first, then the tags built from them.
void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kCarpeta);
    db::DefTabla def = EsquemaInventar();
    def.campos << db::DefCampo{"PLIS150_I", 'N', 8, 2};
    db::Tabla::Crea(kCarpeta, kTablaProductos, def.campos);
    {
      auto t = Abre();
      db::Campo& clave = t->FieldByName("CLPRO_I");
      db::Campo& codigo = t->FieldByName("CODIG_I");
      db::Campo& descripcion = t->FieldByName("DSCPR_I");
      db::Campo& existencia = t->FieldByName("EXIST_I");
      db::Campo& precio1 = t->FieldByName("PPUBL_I");
      db::Campo& precio5 = t->FieldByName("PMINI_I");
      db::Campo& precio150 = t->FieldByName("PLIS150_I");
      for (int i = 1; i <= kProductos; ++i) {
        t->Append();
        clave.SetAsString(Clave(i));
        codigo.SetAsString(Codigo(i));
        descripcion.SetAsString(QStringLiteral("Producto de prueba número %1 marca %2").arg(i).arg(i % 977));
        existencia.SetAsFloat(i % 1000);
        precio1.SetAsFloat((i % 100'000) * 0.25);
        precio5.SetAsFloat((i % 100'000) * 0.2);
        precio150.SetAsFloat((i % 1000) * 0.5);
        t->Post();
      }
    }
    auto t = Abre(true);
    for (const db::DefTag& tag : def.tags) t->AddIndex(tag);
    return true;
  }();
  (void)hecha;
}

// Times each lookup of the typed texts: found, record filled, price of the
// list read.
void Busca(benchmark::State& estado, const std::vector<QString>& textos, int lista) {
  auto t = Abre();
  t->SetIndexName(kTagClaveProducto);
  std::vector<double> tiempos;
  for (auto _ : estado) {
    for (const QString& texto : textos) {
      const auto t0 = std::chrono::steady_clock::now();
      TRegistroProducto p;
      const bool hallado = LocalizaProducto(*t, texto);
      if (hallado) p.Lee(*t);
      const std::optional<Dinero> precio = p.Precio(lista);
      const auto t1 = std::chrono::steady_clock::now();
      if (!hallado || !precio) estado.SkipWithError("producto o precio no hallado");
      tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
  }
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["peor_ms"] = tiempos.back();
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["busquedas"] = static_cast<double>(tiempos.size());
  estado.counters["productos"] = kProductos;
  estado.counters["MB_tabla"] =
      static_cast<double>(QFileInfo(fs::Local(fs::Une(kCarpeta, kTablaProductos))).size()) / 1e6;
}

std::vector<QString> Textos(bool porCodigo) {
  std::mt19937 azar(porCodigo ? 2 : 1);
  std::vector<QString> textos;
  for (int i = 0; i < kBusquedas; ++i) {
    const int n = std::uniform_int_distribution<int>(1, kProductos)(azar);
    textos.push_back(porCodigo ? Codigo(n).toLower() : Clave(n));
  }
  return textos;
}

void BM_ProductoPorClave(benchmark::State& estado) {
  Prepara();
  Busca(estado, Textos(false), static_cast<int>(estado.range(0)));
}
BENCHMARK(BM_ProductoPorClave)->Arg(5)->Arg(150)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProductoPorCodigo(benchmark::State& estado) {
  Prepara();
  Busca(estado, Textos(true), static_cast<int>(estado.range(0)));
}
BENCHMARK(BM_ProductoPorCodigo)->Arg(5)->Arg(150)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
