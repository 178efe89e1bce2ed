// The maintenance utilities on a 1,000,000-row table of 303-byte rows with
// three tags (a code, an upper-cased name and a number): the verification
// of the table (the open test with its crash check, which walks every tag
// against the rows, and the reading of every field of every record), and
// the full replay of its catalogue lines (index removed, table packed, the
// three tags built).
//
// Targets: verification <= 10 s; replay <= 10 s.

#include "maintenance/IndiTodo.h"
#include "maintenance/VerRegis.h"
#include "platform/db/Revision.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const QString kCarpeta = QStringLiteral("C:\\BENCH");
const QString kTabla = QStringLiteral("CLIENTES.DBF");
constexpr int kFilas = 1'000'000;

const QVector<db::DefCampo> kCampos = {{"CLAVE", 'C', 12, 0},   {"NUMERO", 'N', 10, 0}, {"NOMBRE", 'C', 40, 0},
                                       {"DIRECC", 'C', 100, 0}, {"CIUDAD", 'C', 40, 0}, {"NOTAS", 'C', 80, 0},
                                       {"FECHA", 'D', 8, 0},    {"IMPORTE", 'N', 12, 2}};
const QStringList kCatalogo = {"clientes.dbf,iclave,clave", "clientes.dbf,inombre,*upper(nombre)",
                               "clientes.dbf,inumero,numero"};

QString Local(const QString& archivo) { return fs::Local(fs::Une(kCarpeta, archivo)); }

// A field's text at its place in a record, cut or blank padded.
void Pon(QByteArray& registro, int& desde, int ancho, const QByteArray& texto, bool derecha = false) {
  const QByteArray t = texto.left(ancho);
  std::memcpy(registro.data() + desde + (derecha ? ancho - t.size() : 0), t.constData(), static_cast<size_t>(t.size()));
  desde += ancho;
}

// The million rows written as the file's bytes, then the three tags built
// from them; made once.
void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    ui::PuertaModal::ModoPrueba(true);
    fs::CreaCarpeta(kCarpeta);
    db::Tabla::Crea(kCarpeta, kTabla, kCampos);
    QFile f(Local(kTabla));
    f.open(QIODevice::ReadWrite);
    QByteArray cabecera = f.read(f.size() - 1);
    const int largo = static_cast<unsigned char>(cabecera[10]) | (static_cast<unsigned char>(cabecera[11]) << 8);
    for (int i = 0; i < 4; ++i) cabecera[4 + i] = static_cast<char>((kFilas >> (8 * i)) & 0xFF);
    f.seek(0);
    f.write(cabecera);
    QByteArray bloque;
    for (int i = 1; i <= kFilas; ++i) {
      QByteArray r(largo, ' ');
      int d = 1;
      Pon(r, d, 12, "K" + QByteArray::number((static_cast<qint64>(i) * 7'368'787) % 10'000'019));
      Pon(r, d, 10, QByteArray::number(i % 50'000), true);
      Pon(r, d, 40, "Cliente de prueba " + QByteArray::number(i % 977) + " " + QByteArray::number(i));
      Pon(r, d, 100, "Calle " + QByteArray::number(i % 3000) + " numero " + QByteArray::number(i % 200));
      Pon(r, d, 40, "Ciudad " + QByteArray::number(i % 40));
      Pon(r, d, 80, "Sin notas");
      Pon(r, d, 8, "2026" + QByteArray::number(10 + i % 3) + QByteArray::number(10 + i % 18));
      Pon(r, d, 12, QByteArray::number((i % 100'000) * 0.25, 'f', 2), true);
      bloque += r;
      if (bloque.size() > (1 << 22)) {
        f.write(bloque);
        bloque.clear();
      }
    }
    f.write(bloque + QByteArray(1, 0x1A));
    f.close();
    db::Tabla t;
    t.SetCarpeta(kCarpeta);
    t.SetNombreTabla(kTabla);
    t.SetExclusive(true);
    t.Open();
    t.AddIndex({"ICLAVE", "CLAVE"});
    t.AddIndex({"INOMBRE", "UPPER(NOMBRE)"});
    t.AddIndex({"INUMERO", "NUMERO"});
    return true;
  }();
  (void)hecha;
}

void BM_VerificaTabla(benchmark::State& estado) {
  Prepara();
  for (auto _ : estado) {
    const db::RevisionTabla r = db::RevisaTabla(kCarpeta, kTabla);
    if (r.Reparada() || !r.errorTags.isEmpty()) estado.SkipWithError("la tabla no estaba sana");
    if (LeeRegistrosTabla(kCarpeta, kTabla) != 0) estado.SkipWithError("registros ilegibles");
  }
  estado.counters["filas"] = kFilas;
  estado.counters["MB_tabla"] = static_cast<double>(QFileInfo(Local(kTabla)).size()) / 1e6;
}
BENCHMARK(BM_VerificaTabla)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReproduceCatalogo(benchmark::State& estado) {
  Prepara();
  TFormaReindexaTodo ventana;
  ventana.EditRuta->setText(kCarpeta);
  ventana.Memo1->setPlainText(kCatalogo.join(u'\n'));
  ui::PuertaModal::LimpiaMensajes();  // the window found no company configuration
  for (auto _ : estado) ventana.ReindexaCatalogo();
  if (!ui::PuertaModal::Mensajes().isEmpty()) estado.SkipWithError(qPrintable(ui::PuertaModal::Mensajes().join(u' ')));
  estado.counters["filas"] = kFilas;
  estado.counters["MB_tabla"] = static_cast<double>(QFileInfo(Local(kTabla)).size()) / 1e6;
}
BENCHMARK(BM_ReproduceCatalogo)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
