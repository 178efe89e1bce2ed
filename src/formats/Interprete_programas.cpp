// Commands that drive things outside the printer: barras (a barcode label
// printed by an outside program), puerto (the port program) and pausa.
//
// The outside programs are started through the process layer by their
// Windows names; the program map (programas.map of the program folder, or
// VORLAN_PROGRAMAS) says which Linux command stands for each:
//   imprime.exe   prints c:\barras\bar3.prn, run in c:\barras with the
//                 argument bar3.prn (for example "imprime.exe=lp -o raw")
//   Brondak.exe   the port program, fed by puerto.dat of the program folder

#include "formats/CarpetaFormato.h"
#include "formats/Interprete_estado.h"
#include "foundation/dialogos.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"

namespace {

const QString kCarpetaBarras = QStringLiteral("c:\\barras");
const QString kProgramaBarras = QStringLiteral("C:\\barras\\imprime.exe bar3.prn");
const QString kProgramaPuerto = QStringLiteral("Brondak.exe");

// The label printer's header: the bytes that precede the nine digits.
constexpr char kCabeceraBarras[] = {'\x1B', '\x28', '\x42', '\x0F', '\x01', '\x06',
                                    '\x02', '\xFE', '\xA2', '\x00', '\x01'};

}  // namespace

void ImprimeCodigoBarras(const QString& valor) {
  if (!fs::ExisteCarpeta(kCarpetaBarras)) {
    throw plat::Error(plat::Clase::Io, QStringLiteral("No existe la carpeta ") + kCarpetaBarras);
  }
  QByteArray bytes(kCabeceraBarras, sizeof kCabeceraBarras);
  bytes += fs::ACp1252(valor.left(9).rightJustified(9, u'0'));
  fs::EscribeAtomico(fs::Une(kCarpetaBarras, QStringLiteral("bar3.prn")), bytes);
  // The run waits for the label; windows stay responsive meanwhile, and
  // another format asked for in the meantime is refused by EjecutaFormato.
  const proc::Resultado r = proc::EjecutaYEspera(kProgramaBarras, kCarpetaBarras);
  if (!r) MuestraMensaje(QStringLiteral("No se pudo imprimir la etiqueta de código de barras: ") + r.error);
}

void EjecutaProgramaPuerto(const QString& primero, const QString& segundo) {
  try {
    fs::ReescribeLineas(RutaTrabajoFormato(QStringLiteral("puerto.dat")), {primero, segundo});
    proc::Ejecuta(RutaTrabajoFormato(kProgramaPuerto));
  } catch (const std::exception&) {
    // The port program is an extra: the document prints without it.
  }
}

void ComandoBarras(const LineaFormato& l) { ImprimeCodigoBarras(ValorCompuesto(l.Token(2), l.datos)); }

void ComandoPuerto(const LineaFormato& l) {
  EjecutaProgramaPuerto(ValorCompuesto(l.Token(2), l.datos), ValorCompuesto(l.Token(3), l.datos));
}

void ComandoPausa(const LineaFormato& l) {
  EstadoFormato& e = EstadoActual();
  const int unidades = EnteroArgumento(l.Token(2));
  e.PausaActiva = true;
  e.UnidadesPausa = unidades;
  EsperaPausa(unidades);
}
