// The movement window's save: the header checked, the capture posted as one
// unit of work of the station (PosteoMovimiento.h, journal
// GuardadoMovimientos.jnl of the program folder) together with the supplier
// credit note of concept 20 and the document's log line, the window back to
// browsing on the saved document; a save the station left unfinished is
// finished when the window is first activated, before anything is shown.

#include "foundation/UnidadTrabajo.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_tablas.h"
#include "foundation/rutinas_usuarios.h"
#include "inventory/PosteoMovimiento.h"
#include "inventory/movinv.h"
#include "platform/Error.h"
#include "platform/db/Bloqueo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"

#include <QFile>
#include <QLabel>
#include <QSpinBox>

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <optional>
#include <unistd.h>
#include <vector>

namespace {

const QString kDiario = QStringLiteral("GuardadoMovimientos.jnl");
const QString kReclamoDiario = QStringLiteral("GuardadoMovimientos.lck");
const QString kPendiente = QStringLiteral("No se pudo terminar de guardar el movimiento %1 de esta estación: %2");
const QString kSinNota = QStringLiteral("No se registró la nota de crédito del proveedor: ");

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

QString Si(bool b) { return b ? QStringLiteral("S") : QStringLiteral("N"); }

// The program folder's movement journal, read and held by one save at a
// time: a kernel lock on a file beside it, which another copy of the
// program on the same program folder waits for (`espera`, a few seconds)
// or leaves to the copy that holds it.
class DiarioMovimientos {
 public:
  DiarioMovimientos(const QString& programa, bool espera) {
    const QString ruta = fs::Local(fs::Une(programa, kReclamoDiario));
    fd_ = ::open(QFile::encodeName(ruta).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) throw plat::ErrorDeSistema(QStringLiteral("No se pudo abrir ") + ruta, errno);
    if (espera) {
      db::EsperaBloqueo(fd_, 0, db::TipoBloqueo::Exclusivo, kDiario);
    } else if (!db::IntentaBloqueo(fd_, 0, db::TipoBloqueo::Exclusivo)) {
      return;
    }
    unidad_.emplace(programa, kDiario);
  }
  ~DiarioMovimientos() {
    unidad_.reset();
    ::close(fd_);
  }
  DiarioMovimientos(const DiarioMovimientos&) = delete;
  DiarioMovimientos& operator=(const DiarioMovimientos&) = delete;

  // Null when another copy holds the journal.
  UnidadTrabajo* Unidad() { return unidad_ ? &*unidad_ : nullptr; }

 private:
  int fd_ = -1;
  std::optional<UnidadTrabajo> unidad_;
};

}  // namespace

void TFormaMovimientosInventario::BotonGuardarClick() { GuardaMovimiento(); }

bool TFormaMovimientosInventario::GuardaMovimiento() {
  if (!Capturando()) return false;
  if (EditTIMOV_MI->text().trimmed().isEmpty()) {
    MuestraMensaje(kFaltaTipoMovimiento);
    EditTIMOV_MI->setFocus(Qt::OtherFocusReason);
    return false;
  }
  return Guarda(true);
}

bool TFormaMovimientosInventario::GuardaDocumentoMovimiento() { return Guarda(false); }

bool TFormaMovimientosInventario::Guarda(bool conNota) {
  if (!Capturando()) return false;
  // The line being typed is part of the document.
  if (!Detalle->CierraEditor()) return false;
  if (TablaDeta->State() != db::Dataset::Estado::Navegando) {
    if (TablaDeta->Modified()) TablaDeta->Post();
    else TablaDeta->Cancel();
  }

  EncabezadoMovimiento d;
  bool numero = false, concepto = false;
  d.numero = EditCLDOC_MI->text().trimmed().toLongLong(&numero);
  d.concepto = EditTIMOV_MI->text().trimmed().toInt(&concepto);
  if (!LeeFecha(EditFEDOC_MI->text(), d.fecha) || !numero || !concepto) {
    MuestraMensaje(kFaltanDatosMovimiento);
    return false;
  }
  d.contraparte = EditCLPRO_MI->text();
  d.referencia = EditREFMO_MI->text();
  d.almacen = EditAlmacen->value();
  d.usuario = Usuario->text();
  d.sinNegativos = existenciasNegativas_ == u'N';
  d.traspaso = tipoConcepto_ == u'T';
  d.carpetaDestino = carpetaDestino_;
  d.traspasoPorEmpaque = Linea(ConfTraspasosEmpaque) == u"S";
  std::vector<TPartidaCapturaMovimiento> partidas;
  for (TablaDeta->First(); !TablaDeta->Eof(); TablaDeta->Next()) {
    TPartidaCapturaMovimiento p;
    p.Lee(*TablaDeta);
    partidas.push_back(p);
  }
  const GuardadoMovimiento guardado = GuardadoMovimiento::Documento(d, partidas, *Tablamovinve);
  if (!EjecutaGuardado(guardado, conNota && EditTIMOV_MI->text().trimmed() == u"20", conNota && bitacora_)) return false;

  // Back to browsing, on the document just saved.
  VaciaCaptura(false);
  FijaCaptura(false);
  TIPMOV->clear();
  if (Linea(ConfBasesAbiertas) == u"NO") RefrescaTabla(*Tablamovinve);
  TablaCompleta();
  Tablamovinve->FindNearest({d.numero});
  MuestraDocumento(Llegada::Guardado);
  return true;
}

bool TFormaMovimientosInventario::EjecutaGuardado(const GuardadoMovimiento& guardado, bool nota, bool bitacora,
                                                  std::vector<qint64>* numeros) {
  UnidadTrabajo::Datos datos = guardado.Datos();
  datos.append({QStringLiteral("nota"), Si(nota)});
  datos.append({QStringLiteral("bitacora"), Si(bitacora)});
  if (bitacora) {
    QString nombre;
    LeeNombreUsuario(Usuario->text(), carpetaPrograma_, nombre);
    datos.append({QStringLiteral("nombre"), nombre});
  }
  try {
    DiarioMovimientos diario(carpetaPrograma_, true);
    UnidadTrabajo& u = *diario.Unidad();
    // A save a former run left is finished first; one that ends undone
    // leaves nothing, and this one goes on.
    if (u.Pendiente()) {
      try {
        TerminaUnidad(u);
      } catch (const std::exception&) {
        if (u.Pendiente()) throw;
      }
    }
    u.Inicia(datos);
    const std::vector<qint64> r = TerminaUnidad(u);
    if (numeros) *numeros = r;
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  return true;
}

std::vector<qint64> TFormaMovimientosInventario::TerminaUnidad(UnidadTrabajo& u) {
  const GuardadoMovimiento g = GuardadoMovimiento::De(u.Inicio());
  const std::vector<qint64> numeros = PostaMovimientos(u, g, *Tablamovinve, *TablaInventario, *TablaKardex);
  const EncabezadoMovimiento& d = g.encabezado;
  if (u.Dato(QStringLiteral("nota")) == u"S") {
    // Booked for the document just saved, whatever other stations saved
    // since; a note that cannot be booked leaves the document standing.
    std::vector<TPartidaCapturaMovimiento> lineas;
    for (const PartidaDocumentoMovimiento& p : g.partidas) lineas.push_back(p.partida);
    try {
      ::NotaCreditoProveedor(u, carpetaDatos_, {d.numero, d.referencia, d.contraparte}, CostoDocumento(lineas));
    } catch (const std::exception& e) {
      MuestraMensaje(kSinNota + plat::TextoError(e));
    }
  }
  if (u.Dato(QStringLiteral("bitacora")) == u"S") {
    // Never written twice: a line whose writing a kill cut short is lost.
    u.Aplica(
        QStringLiteral("BIT"),
        [&] {
          RegistraHistorial(true, carpetaDatos_, u'M', QString::number(d.numero), QStringLiteral("GUARDADA"),
                            u.Dato(QStringLiteral("nombre")));
          return QStringList();
        },
        [] { return QStringList(); });
  }
  u.Termina();
  return numeros;
}

bool TFormaMovimientosInventario::TerminaMovimientoPendiente() {
  try {
    DiarioMovimientos diario(carpetaPrograma_, false);
    UnidadTrabajo* u = diario.Unidad();
    // Another copy of the program holds the journal: the save is its own.
    if (!u || !u->Pendiente()) return true;
    const QString numero = u->Dato(QStringLiteral("numero"));
    try {
      TerminaUnidad(*u);
    } catch (const std::exception& e) {
      MuestraMensaje(kPendiente.arg(numero, plat::TextoError(e)));
      return false;
    }
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
  return true;
}
