// The data grid over a large table: what one move of the dataset costs the
// grid (following the move and reading the rows a screen shows), for a move
// of one row and for a jump to the far end.

#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/RejillaDatos.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int kFilas = 100000;
constexpr int kVisibles = 30;

struct Datos {
  QTemporaryDir dir;
  db::Tabla tabla;
  ui::FuenteDatos fuente;
  ui::RejillaDatos rejilla;

  Datos() {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(QStringLiteral("C:\\DATOS"));
    db::Tabla::Crea(QStringLiteral("C:\\DATOS"), QStringLiteral("GRANDE.DBF"),
                    {{"CLAVE", 'C', 20, 0}, {"NUMERO", 'N', 8, 0}, {"PRECIO", 'N', 12, 2}, {"DESCR", 'C', 40, 0}});
    tabla.SetCarpeta(QStringLiteral("C:\\DATOS"));
    tabla.SetNombreTabla(QStringLiteral("GRANDE.DBF"));
    tabla.Open();
    for (int i = 1; i <= kFilas; ++i) {
      tabla.Append();
      tabla.FieldByName("CLAVE").SetAsString(QStringLiteral("P%1").arg(i, 6, 10, QChar(u'0')));
      tabla.FieldByName("NUMERO").SetAsInteger(i);
      tabla.FieldByName("PRECIO").SetAsFloat(i * 1.25);
      tabla.FieldByName("DESCR").SetAsString(QStringLiteral("Producto número %1").arg(i));
      tabla.Post();
    }
    tabla.First();
    fuente.SetDataSet(&tabla);
    rejilla.SetFuente(&fuente);
    std::printf("tabla de %d filas, %d columnas; %d filas leídas por pantalla\n", kFilas, tabla.FieldCount(), kVisibles);
  }

  // What painting the screen around the current row reads.
  void LeePantalla() {
    const int actual = rejilla.currentIndex().row();
    const int desde = std::max(0, actual - kVisibles / 2);
    for (int f = desde; f < desde + kVisibles; ++f)
      for (int c = 0; c < rejilla.model()->columnCount(); ++c)
        benchmark::DoNotOptimize(rejilla.model()->index(f, c).data());
  }
};

Datos& D() {
  static Datos d;
  return d;
}

void BM_RejillaBajaUnaFila(benchmark::State& estado) {
  Datos& d = D();
  d.tabla.First();
  d.tabla.MoveBy(kFilas / 2);
  for (auto _ : estado) {
    if (d.tabla.MoveBy(1) == 0) d.tabla.MoveBy(-kFilas / 2);
    d.LeePantalla();
  }
}
BENCHMARK(BM_RejillaBajaUnaFila)->Unit(benchmark::kMicrosecond);

void BM_RejillaSaltaAlFinalYAlPrincipio(benchmark::State& estado) {
  Datos& d = D();
  for (auto _ : estado) {
    d.tabla.Last();
    d.LeePantalla();
    d.tabla.First();
    d.LeePantalla();
  }
}
BENCHMARK(BM_RejillaSaltaAlFinalYAlPrincipio)->Unit(benchmark::kMillisecond);

}  // namespace
