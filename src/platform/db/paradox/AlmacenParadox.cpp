#include "platform/db/paradox/AlmacenParadox.h"

#include "platform/Error.h"
#include "platform/db/paradox/ParadoxArchivo.h"

#include <QFile>

namespace db {
namespace {

using plat::Clase;
using plat::Error;

class AlmacenParadox final : public Almacen {
 public:
  AlmacenParadox(const QString& ruta, const QString& nombre, ModoAlmacen modo)
      : nombre_(nombre),
        modo_(modo),
        archivo_(std::make_unique<ParadoxArchivo>(
            ruta, modo.exclusivo ? ParadoxArchivo::Uso::Exclusivo : ParadoxArchivo::Uso::Compartido, modo.soloLectura,
            nombre)) {}

  const QString& Nombre() const override { return nombre_; }
  const QVector<DefCampo>& Campos() const override { return archivo_->Campos(); }
  ModoAlmacen Modo() const override { return modo_; }
  bool Renumera() const override { return true; }

  qint64 Cuenta() const override { return archivo_->Registros(); }
  void Refresca() override {}

  const char* Lee(qint64 n) override { return archivo_->Fila(n); }
  bool Borrado(const char*) const override { return false; }
  QVariant Valor(const char* registro, int campo) override { return archivo_->Valor(registro, campo); }
  bool Nulo(const char* registro, int campo) override { return !archivo_->Valor(registro, campo).isValid(); }

  Registro Vacio() const override { return Registro{archivo_->Vacio(), {}}; }
  Registro Carga(qint64 n) override { return Registro{archivo_->LeeRegistro(n), {}}; }
  void Fija(Registro& r, int campo, const QVariant& valor) const override { archivo_->Fija(r.datos, campo, valor); }
  QVariant ValorDe(const Registro& r, int campo) override { return archivo_->Valor(r.datos.constData(), campo); }

  void Graba(qint64 n, Registro& r, const PasosEscritura& pasos) override {
    archivo_->GrabaRegistro(n, r.datos, [&] { Despues(pasos, n); }, pasos.liberaRegistro);
  }
  qint64 Agrega(Registro& r, const PasosEscritura& pasos) override {
    return archivo_->AgregaRegistro(r.datos, [&](qint64 n) { Despues(pasos, n); });
  }
  qint64 Inserta(qint64 antes, Registro& r, const PasosEscritura& pasos) override {
    return archivo_->InsertaRegistro(antes, r.datos, [&](qint64 n) { Despues(pasos, n); });
  }
  void Borra(qint64 n, const PasosEscritura& pasos) override {
    archivo_->Borra(n, [&] { Despues(pasos, n); });
  }

  void Bloquea(qint64 n) override { archivo_->BloqueaRegistro(n); }
  void Libera(qint64 n) override { archivo_->LiberaRegistro(n); }
  void LiberaBloqueos() override { archivo_->LiberaBloqueos(); }

  void Vacia() override { archivo_->Vacia(); }
  void Empaca() override { archivo_->Empaca(); }

  bool TieneIndiceProduccion() const override { return false; }
  void FijaIndiceProduccion(bool si, const QStringList&) override {
    if (si) throw Error(Clase::General, QStringLiteral("La tabla %1 no admite índices").arg(nombre_));
  }

 private:
  static void Despues(const PasosEscritura& pasos, qint64 n) {
    if (pasos.despues) pasos.despues(n);
  }

  QString nombre_;
  ModoAlmacen modo_;
  std::unique_ptr<ParadoxArchivo> archivo_;  // reads count as const for the interface
};

class FabricaDeParadox final : public FabricaAlmacen {
 public:
  std::unique_ptr<Almacen> Abre(const QString& ruta, const QString& nombre, ModoAlmacen modo) override {
    return std::make_unique<AlmacenParadox>(ruta, nombre, modo);
  }

  void Crea(const QString& ruta, const QString&, const QVector<DefCampo>& campos) override {
    ParadoxArchivo::Crea(ruta, campos);
    // Companions of an old table of that name would not match the new one.
    for (const QString& c : Companeros(ruta)) QFile::remove(c);
  }

  QStringList Companeros(const QString& ruta) const override { return ParadoxArchivo::Companeros(ruta); }

  void Copia(const QString& origen, const QString& destino, const QString&, const QString&) override {
    ParadoxArchivo::Copia(origen, destino);
  }
};

}  // namespace

FabricaAlmacen& FabricaParadox() {
  static FabricaDeParadox fabrica;
  return fabrica;
}

}  // namespace db
