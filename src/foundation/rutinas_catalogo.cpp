#include "foundation/rutinas_catalogo.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"

#include <QFile>

#include <optional>

namespace {

// The catalogue open for reading, record by record.
class Catalogo {
 public:
  Catalogo() : ruta_(ArchivoCatalogo()), archivo_(fs::Local(ruta_)) {
    if (!archivo_.open(QIODevice::ReadOnly)) {
      if (!archivo_.exists())
        throw plat::Error(plat::Clase::NoExiste, QStringLiteral("El Archivo ") + ruta_ + QStringLiteral(" No Existe"));
      throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ruta_ + QStringLiteral(": ") +
                                             archivo_.errorString());
    }
  }

  qint64 Registros() const { return archivo_.size() / TRegistroCatalogo::kTamano; }

  std::optional<TRegistroCatalogo> Lee(qint64 n) {
    if (n < 0 || n >= Registros() || !archivo_.seek(n * TRegistroCatalogo::kTamano)) return std::nullopt;
    const QByteArray bytes = archivo_.read(TRegistroCatalogo::kTamano);
    if (bytes.size() != TRegistroCatalogo::kTamano) return std::nullopt;
    return TRegistroCatalogo::DeBytes(bytes);
  }

  // Record n, or an error naming the catalogue.
  TRegistroCatalogo Exige(qint64 n) {
    if (auto r = Lee(n)) return *r;
    throw plat::Error(plat::Clase::Corrupto, QStringLiteral("El Archivo ") + ruta_ +
                                                 QStringLiteral(" está dañado: no se pudo leer el registro ") +
                                                 QString::number(n));
  }

  const QString& Ruta() const { return ruta_; }

 private:
  QString ruta_;
  QFile archivo_;
};

}  // namespace

TRegistroCatalogo TRegistroCatalogo::DeBytes(QByteArrayView bytes) {
  TRegistroCatalogo r;
  for (int i = 0; i < kTextos; ++i) {
    r.Textos[i] = fs::LeeCadenaCorta(bytes, kPosicion[i], kAncho[i]);
  }
  return r;
}

QString ArchivoCatalogo() { return CarpetaProgramaRutinas + QStringLiteral("\\confcamp.cmp"); }

int PosicionTablaCatalogo(const QString& archivo) {
  Catalogo catalogo;
  const qint64 ultimo = catalogo.Registros() - 1;
  const QString cuenta = catalogo.Exige(ultimo).Textos[0];
  bool esNumero = false;
  const int tablas = cuenta.trimmed().toInt(&esNumero);
  if (!esNumero)
    throw plat::Error(plat::Clase::Conversion, QStringLiteral("El Archivo ") + catalogo.Ruta() +
                                                   QStringLiteral(" está dañado: '") + cuenta +
                                                   QStringLiteral("' no es un número de tablas"));
  QString buscado = archivo.toLower();
  if (buscado == u"ordendet.dbf") buscado = QStringLiteral("comprasd.dbf");
  for (int k = 0; k < tablas; ++k) {
    if (catalogo.Exige(ultimo - tablas + k).Textos[2].toLower() == buscado) return k;
  }
  return -1;
}

void DatoCatalogoCampos(int registro, int texto, QString& salida) {
  Catalogo catalogo;
  if (texto < 0 || texto >= TRegistroCatalogo::kTextos) return;
  const std::optional<TRegistroCatalogo> r = catalogo.Lee(registro);
  if (!r) return;
  salida = r->Textos[texto];
  if (texto == 2 && salida.isEmpty()) salida = r->Textos[1];
}
