// Moving to the next saved document on the sale screen (Ctrl+S): the header
// shown and its 30 lines loaded into the capture table and totalled, in a
// Remision.dbf of 100,000 documents whose RemisioD.dbf holds 1,000,000
// lines (the first 33,333 documents have 30 lines each, the 33,334th has
// 10). Each case times 200 moves from documents spread over those with
// lines and reports the median and the worst.
//
// Target: <= 50 ms median.

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/TablasInventario.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "pos/CaptuRap.h"
#include "pos/TablasVenta.h"
#include "shell/LineasConfiguracion.h"
#include "tablas/TablasVorlan.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

const QString kPrograma = QStringLiteral("C:\\VRL");
const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");
constexpr int kDocumentos = 100'000;
constexpr int kLineas = 1'000'000;
constexpr int kLineasDocumento = 30;
constexpr int kProductos = 1'000;
constexpr int kMovimientos = 200;

QString Clave(int i) { return QStringLiteral("P%1").arg(i); }

// A table of the registry filled row by row without its tags, which are
// then built from the rows.
void LlenaTabla(const db::DefTabla& def, int filas, const std::function<void(db::Tabla&, int)>& fila) {
  db::Tabla::Crea(kDatos, def.archivo, def.campos);
  {
    db::Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(def.archivo);
    t.SetExclusive(true);
    t.Open();
    for (int i = 0; i < filas; ++i) {
      t.Append();
      fila(t, i);
      t.Post();
    }
  }
  db::Tabla t;
  t.SetCarpeta(kDatos);
  t.SetNombreTabla(def.archivo);
  t.SetExclusive(true);
  t.Open();
  for (const db::DefTag& tag : def.tags) t.AddIndex(tag);
}

// The company, user 0 free to browse the documents; every line sells one unit of a
// product at 10.00 with 16 % IVA, and every header holds the totals of its
// lines, as a save leaves them.
void Prepara() {
  static QTemporaryDir dir;
  static const bool hecha = [] {
    qputenv("VORLAN_ROOT", QFile::encodeName(dir.path()));
    fs::CreaCarpeta(kDatos);
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfIva - 1] = QStringLiteral("16");
    EscribeConfiguracionEmpresa(QStringLiteral("C:\\VRL\\Gener1.cnf"), conf);
    fs::ReescribeLineas(kArchivoInicio, {kPrograma, QStringLiteral("C:\\VRL\\Gener1.cnf"), QString()});
    TRegistroUsuario administrador;
    administrador.NombreUsuario = QStringLiteral("Administrador");
    administrador.ClaveUsuario = QStringLiteral("adm");
    // Every right but 56, which keeps a user from moving between documents.
    administrador.Derechos = QString(kNumeroDerechos, u's');
    administrador.Derechos[DerechoLimitarVendedor - 1] = u'n';
    for (const QString& carpeta : {kDatos, kPrograma})
      fs::EscribeAtomico(fs::Une(carpeta, QStringLiteral("usuarios.def")), administrador.ABytes());
    fs::ReescribeLineas(fs::Une(kPrograma, QStringLiteral("encabeza.cnf")),
                        QStringList(kLineasOpcionesVenta, QStringLiteral("N")));
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});

    const QDate fecha(2024, 6, 14);
    LlenaTabla(EsquemaInventar(), kProductos, [](db::Tabla& t, int i) {
      t.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(Clave(i));
      t.FieldByName(QStringLiteral("DSCPR_I")).SetAsString(QStringLiteral("PRODUCTO %1").arg(i));
      t.FieldByName(QStringLiteral("PPUBL_I")).SetAsFloat(10);
      t.FieldByName(QStringLiteral("PIVA1_I")).SetAsFloat(16);
      t.FieldByName(QStringLiteral("EXIST_I")).SetAsFloat(1'000'000);
    });
    LlenaTabla(EsquemaEncabezadoDocumento(QStringLiteral("Remision.dbf"), db::CarpetaTabla::Remisiones), kDocumentos,
               [&fecha](db::Tabla& t, int i) {
                 const int numero = i + 1;
                 const int lineas = std::clamp(kLineas - i * kLineasDocumento, 0, kLineasDocumento);
                 const auto campo = [&t](const char* nombre) -> db::Campo& {
                   return t.FieldByName(QString::fromLatin1(nombre));
                 };
                 campo("CLDOC_F").SetAsInteger(numero);
                 campo("CONTROL").SetAsInteger(numero % 100'000);
                 campo("CLCLI_F").SetAsString(QStringLiteral("1"));
                 campo("NOMBR_F").SetAsString(QStringLiteral("CLIENTE %1").arg(numero));
                 campo("FEDOC_F").SetAsDate(fecha);
                 campo("IMIM1_F").SetAsFloat(16);
                 campo("DESFI_F").SetAsFloat(0);
                 campo("SUBTO_F").SetAsFloat(lineas * 10);
                 campo("IMIM2_F").SetAsFloat(lineas * 1.6);
                 campo("IMTOD_F").SetAsFloat(lineas * 11.6);
                 campo("DECOT_F").SetAsFloat(0);
                 campo("PAGOX_F").SetAsString(QStringLiteral("Efectivo"));
               });
    LlenaTabla(EsquemaPartidaDocumento(QStringLiteral("RemisioD.dbf"), db::CarpetaTabla::Remisiones), kLineas,
               [&fecha](db::Tabla& t, int i) {
                 const int numero = i / kLineasDocumento + 1;
                 const auto campo = [&t](const char* nombre) -> db::Campo& {
                   return t.FieldByName(QString::fromLatin1(nombre));
                 };
                 campo("CLDOC_FD").SetAsString(QString::number(numero));
                 campo("CONTROL").SetAsInteger(numero % 100'000);
                 campo("CLPRO_FD").SetAsString(Clave(i % kProductos));
                 campo("DEPRO_FD").SetAsString(QStringLiteral("PRODUCTO %1").arg(i % kProductos));
                 campo("CANTI_FD").SetAsFloat(1);
                 campo("PUNPR_FD").SetAsFloat(10);
                 campo("PIVA1_FD").SetAsFloat(16);
                 campo("FEDOC_FD").SetAsDate(fecha);
                 campo("PCOMI_FD").SetAsString(QStringLiteral("1"));
               });
    return true;
  }();
  (void)hecha;
}

void Tecla(QWidget* w, int tecla, Qt::KeyboardModifiers mods) {
  QKeyEvent presion(QEvent::KeyPress, tecla, mods);
  QKeyEvent suelta(QEvent::KeyRelease, tecla, mods);
  QApplication::sendEvent(w, &presion);
  QApplication::sendEvent(w, &suelta);
}

void BM_SiguienteDocumento(benchmark::State& estado) {
  Prepara();
  auto p = std::make_unique<TFormaCapturaRapida>();
  p->usuario->setText(QStringLiteral("0"));
  p->show();
  QApplication::setActiveWindow(p.get());
  QApplication::processEvents();
  std::mt19937 azar(1);
  const int conLineas = kLineas / kLineasDocumento - 1;
  std::vector<double> tiempos;
  for (auto _ : estado) {
    for (int i = 0; i < kMovimientos; ++i) {
      const int numero = std::uniform_int_distribution<int>(1, conLineas - 1)(azar);
      p->TablaFacturae->FindKey({numero});
      p->MuestraDocumento();
      p->Detalle->setFocus();
      const auto t0 = std::chrono::steady_clock::now();
      Tecla(p->Detalle, Qt::Key_S, Qt::ControlModifier);
      const auto t1 = std::chrono::steady_clock::now();
      tiempos.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
      if (p->EditCLDOC_F->text() != QString::number(numero + 1) ||
          p->TablaDeta->RecordCount() != kLineasDocumento || p->LineasCaptura != kLineasDocumento)
        estado.SkipWithError(QStringLiteral("no se mostró el documento siguiente con sus partidas: %1 %2 %3 %4")
                                 .arg(numero)
                                 .arg(p->EditCLDOC_F->text())
                                 .arg(p->TablaDeta->RecordCount())
                                 .arg(p->LineasCaptura)
                                 .toStdString()
                                 .c_str());
    }
  }
  std::sort(tiempos.begin(), tiempos.end());
  estado.counters["mediana_ms"] = tiempos[tiempos.size() / 2];
  estado.counters["peor_ms"] = tiempos.back();
  estado.counters["partidas_documento"] = kLineasDocumento;
  estado.counters["documentos"] = kDocumentos;
  estado.counters["partidas"] = kLineas;
  estado.counters["MB_partidas"] =
      static_cast<double>(QFileInfo(fs::Local(fs::Une(kDatos, QStringLiteral("RemisioD.dbf")))).size()) / 1e6;
}
BENCHMARK(BM_SiguienteDocumento)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
