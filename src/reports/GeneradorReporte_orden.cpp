// The engine's steps after the walk: sorting, grouping and the totals by
// month and by year.

#include "reports/GeneradorReporte.h"

#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "reports/ArchivosReporte.h"
#include "reports/Progreso.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kLargoLlaveOrden = 100;

int Porciento(qint64 hecho, qint64 total) { return total > 0 ? static_cast<int>(hecho * 100 / total) : 100; }

// A row number as a code whose numeric order is the text order of its
// decimal digits: each digit plus one, left-aligned in ten base-11 places.
quint64 CodigoNumero(quint32 numero) {
  char digitos[10];
  int n = 0;
  do {
    digitos[n++] = static_cast<char>(numero % 10);
    numero /= 10;
  } while (numero > 0);
  quint64 codigo = 0;
  for (int i = 0; i < 10; ++i) codigo = codigo * 11 + (i < n ? digitos[n - 1 - i] + 1 : 0);
  return codigo;
}

// A work file's rows, mapped into memory (read whole when it cannot be).
class RenglonesMapeados {
 public:
  explicit RenglonesMapeados(const QString& nombre) : archivo_(fs::Local(ArchivoTrabajoReporte(nombre))) {
    if (!archivo_.open(QIODevice::ReadOnly)) {
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ArchivoTrabajoReporte(nombre) +
                                             QStringLiteral(": ") + archivo_.errorString());
    }
    cuenta_ = archivo_.size() / TRenglonReporte::kTamano;
    if (cuenta_ == 0) return;
    datos_ = reinterpret_cast<const char*>(archivo_.map(0, cuenta_ * TRenglonReporte::kTamano));
    if (!datos_) {
      copia_ = archivo_.read(cuenta_ * TRenglonReporte::kTamano);
      datos_ = copia_.constData();
    }
  }
  qint64 Cuenta() const { return cuenta_; }
  const char* Renglon(qint64 i) const { return datos_ + i * TRenglonReporte::kTamano; }

 private:
  QFile archivo_;
  qint64 cuenta_ = 0;
  const char* datos_ = nullptr;
  QByteArray copia_;
};

}  // namespace

QString AjustaLlaveOrden(const QString& texto, int ancho) {
  const QString t = texto.left(kLargoLlaveOrden);
  if (t.size() >= ancho) return t.left(ancho) + u' ';
  return t.leftJustified(ancho + 1, u' ');
}

void OrdenaReporte() {
  MensajeProgreso(QStringLiteral("Leyendo Datos"));
  AvanceProgreso(0);
  const RenglonesMapeados concen(kArchivoConcen);
  const qint64 total = concen.Cuenta();

  // The sort text of a row is its key fitted to 101 characters followed by
  // its number. Every row number is different and every key is as wide, so
  // two rows whose keys tie at the collation's first level (letters, not
  // accents nor case) are ordered by their numbers as texts, and all other
  // rows by their keys. Keys are therefore collated once each, not once per
  // row.
  std::unordered_map<std::string_view, quint32> idDeLlave;
  std::vector<std::string_view> llaves;
  std::vector<quint32> llaveDeFila(static_cast<std::size_t>(total));
  for (qint64 i = 0; i < total; ++i) {
    const QByteArrayView llave = LlaveRenglon(concen.Renglon(i));
    const std::string_view vista(llave.data(), static_cast<std::size_t>(llave.size()));
    const auto [it, nueva] = idDeLlave.try_emplace(vista, static_cast<quint32>(llaves.size()));
    if (nueva) llaves.push_back(vista);
    llaveDeFila[static_cast<std::size_t>(i)] = it->second;
    AvanceProgreso(Porciento(i + 1, total));
  }

  QCollator collator{QLocale(QLocale::Spanish, QLocale::Mexico)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<QString> textos;
  std::vector<QCollatorSortKey> claves;
  textos.reserve(llaves.size());
  claves.reserve(llaves.size());
  for (std::string_view llave : llaves) {
    textos.push_back(AjustaLlaveOrden(fs::DeCp1252(llave.data(), static_cast<qsizetype>(llave.size())),
                                      kLargoLlaveOrden));
    claves.push_back(collator.sortKey(textos.back()));
  }
  std::vector<quint32> porOrden(llaves.size());
  std::iota(porOrden.begin(), porOrden.end(), 0);
  std::sort(porOrden.begin(), porOrden.end(), [&](quint32 a, quint32 b) { return claves[a].compare(claves[b]) < 0; });
  // Keys that tie at the first level lie together in that order; a tie
  // shows as the order of the key followed by a digit turning with the
  // digits.
  const auto empatan = [&](const QString& a, const QString& b) {
    return collator.compare(a + u'0', b + u'1') < 0 && collator.compare(a + u'1', b + u'0') > 0;
  };
  std::vector<quint32> clase(llaves.size());
  for (std::size_t j = 1; j < porOrden.size(); ++j) {
    const bool misma = empatan(textos[porOrden[j - 1]], textos[porOrden[j]]);
    clase[porOrden[j]] = clase[porOrden[j - 1]] + (misma ? 0 : 1);
  }

  struct Entrada {
    quint32 clase;
    quint32 fila;
    quint64 numero;
  };
  std::vector<Entrada> entradas(static_cast<std::size_t>(total));
  for (qint64 i = 0; i < total; ++i) {
    const auto fila = static_cast<quint32>(i);
    entradas[static_cast<std::size_t>(i)] = {clase[llaveDeFila[fila]], fila, CodigoNumero(fila)};
  }
  std::sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) {
    return a.clase != b.clase ? a.clase < b.clase : a.numero < b.numero;
  });

  MensajeProgreso(QStringLiteral("Ordenando Datos"));
  AvanceProgreso(0);
  EscritorRenglones orden(kArchivoOrden);
  for (std::size_t i = 0; i < entradas.size(); ++i) {
    orden.Escribe(concen.Renglon(entradas[i].fila));
    AvanceProgreso(Porciento(static_cast<qint64>(i) + 1, total));
  }
  for (int i = 0; i < 3; ++i) orden.Escribe(TRenglonReporte::Cierre());
  orden.Cierra();
}

void AgrupaReporte() {
  MensajeProgreso(QStringLiteral("Concentrando Datos"));
  AvanceProgreso(0);
  LectorRenglones orden(kArchivoOrden);
  EscritorRenglones final(kArchivoFinal);
  const std::array<QString, 8>& tipos = EstadoGeneradorReporte().TiposColumnaReporte;
  std::array<bool, 8> suma{};
  for (int c = 0; c < 8; ++c) suma[c] = tipos[c] == u"f" || tipos[c] == u"e";

  const qint64 total = orden.Cuenta();
  QByteArray ultimo;  // the group's last row
  std::array<Dinero, 8> valores{};
  const auto escribeGrupo = [&] {
    TRenglonReporte grupo = TRenglonReporte::DeBytes(ultimo);
    for (int c = 0; c < 8; ++c) grupo.Columnas[c] = valores[c].Texto();
    final.Escribe(grupo);
  };
  for (qint64 i = 0; i < total; ++i) {
    const char* r = orden.Siguiente();
    if (i == 0) {
      valores = ImportesRenglon(r);
    } else if (LlaveRenglon(r) == LlaveRenglon(ultimo.constData())) {
      for (int c = 0; c < 8; ++c) {
        if (suma[c]) valores[c] += ImporteColumnaReporte(ColumnaRenglon(r, c));
      }
    } else {
      if (i != total - 1) escribeGrupo();
      valores = ImportesRenglon(r);
    }
    ultimo = QByteArray(r, TRenglonReporte::kTamano);
    AvanceProgreso(Porciento(i + 1, total));
  }
  // The last group, the closing "*" rows, is not written.
  final.Cierra();
}

void ConcentraPorMes() {
  if (!TieneArchivosReporte() || !fs::ExisteArchivo(ArchivoTrabajoReporte(kArchivoFinal))) return;
  std::array<std::array<Dinero, 4>, 12> meses{};
  {
    LectorRenglones final(kArchivoFinal);
    while (const char* r = final.Siguiente()) {
      // The month of a "dd/mm/yyyy" key.
      const QByteArrayView llave = LlaveRenglon(r);
      bool esNumero = false;
      const int mes = SubTexto(4, 5, fs::DeCp1252(llave.data(), llave.size())).toInt(&esNumero);
      if (!esNumero || mes < 1 || mes > 12) continue;
      for (int c = 0; c < 4; ++c) meses[mes - 1][c] += ImporteColumnaReporte(ColumnaRenglon(r, c));
    }
  }
  EscritorRenglones final(kArchivoFinal);
  for (int mes = 1; mes <= 12; ++mes) {
    TRenglonReporte r;
    MesEnLetra(mes, r.Llave);
    r.Columnas.fill(QStringLiteral("0"));
    for (int c = 0; c < 4; ++c) r.Columnas[c] = meses[mes - 1][c].Texto();
    final.Escribe(r);
  }
  final.Cierra();
}

void ConcentraPorAno() {
  if (!TieneArchivosReporte() || !fs::ExisteArchivo(ArchivoTrabajoReporte(kArchivoFinal))) return;
  // The rows keyed by their year (characters 7 to 10 of a date) go back
  // through the sort and the grouping.
  {
    LectorRenglones final(kArchivoFinal);
    EscritorRenglones concen(kArchivoConcen);
    while (const char* r = final.Siguiente()) {
      TRenglonReporte renglon = TRenglonReporte::DeBytes(QByteArrayView(r, TRenglonReporte::kTamano));
      if (renglon.Llave != u"N.A.") renglon.Llave = SubTexto(7, 10, renglon.Llave);
      concen.Escribe(renglon);
    }
    concen.Cierra();
  }
  OrdenaReporte();
  AgrupaReporte();
}
