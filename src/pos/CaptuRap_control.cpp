// What a saved sale leaves on its station for the administrator (the files
// are ControlVenta.h's): the control snapshot, the day's accumulator with
// its cash ceiling and the items that show and reset it, the document log
// shown to the administrator; and the steps of a save that write them and
// the movement mirror.
//
// None of them stops a save: a snapshot that cannot be written is told, an
// accumulator or a mirror that fails is passed over. During a save each is
// a step of its unit of work, so a save finished again after a kill writes
// the same snapshot and mirror rows once, and never adds the total twice.

#include "foundation/dialogos.h"
#include "foundation/observa.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_numero.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "pos/CaptuRap_comun.h"
#include "pos/ControlVenta.h"
#include "pos/PlanGuardado.h"
#include "foundation/UnidadTrabajo.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace {

const QString kErrorControl = QStringLiteral("Ocurrio un error en el directorio de Control");
const QString kMascaraAcumulado = QStringLiteral("###,##0.00");

}  // namespace

void TFormaCapturaRapida::ConectaRastros() {
  const auto item = [this](const char* nombre) {
    return MainMenu1->findChild<QAction*>(QString::fromLatin1(nombre));
  };
  AsignaComando(item("Acumulado1"), [this] { Acumulado1Click(); });
  AsignaComando(item("ReiniciarAcumulado1"), [this] { ReiniciarAcumulado1Click(); });
  AsignaComando(item("Bitacora1"), [this] { Bitacora1Click(); });
  AsignaComando(item("ChequeodeMovimientos1"), [this] { ChequeodeMovimientos1Click(); });
}

bool TFormaCapturaRapida::EnEncabezadoGuardado(const QString& numero) {
  db::Tabla& e = *TablaFacturae;
  const qint64 control = plan_->control;
  const auto es = [&] {
    return e.FieldByName(QStringLiteral("CLDOC_F")).AsString() == numero &&
           e.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control;
  };
  if (HayFila(e) && es()) return true;
  PostPendiente(e);
  if (!e.FindKey({numero.toLongLong()})) return false;
  while (!e.Eof() && e.FieldByName(QStringLiteral("CLDOC_F")).AsString() == numero && !es()) e.Next();
  return !e.Eof() && es();
}

void TFormaCapturaRapida::RastrosGuardado(const QString& numero) {
  UnidadTrabajo& u = *guardado_;
  bool enFila = false;
  try {
    enFila = EnEncabezadoGuardado(numero);
  } catch (const plat::Error&) {
  }
  if (enFila) {
    // The moment of the snapshot is kept, so a save finished again writes
    // the same file.
    const QString pasoMomento = QStringLiteral("CONM");
    QDateTime momento = fs::Ahora();
    if (const auto hecho = u.Resultado(pasoMomento))
      momento = QDateTime::fromString(hecho->value(0), Qt::ISODateWithMs);
    else
      u.Anota(pasoMomento, {momento.toString(Qt::ISODateWithMs)});
    u.Fija(QStringLiteral("CON"), [&] { EscribeControlDocumento(momento); });
    const double limite = plan_->limiteAcumulado;
    u.Aplica(
        QStringLiteral("ACU"),
        [&] {
          AcumulaTotalDia(1, limite);
          return QStringList();
        },
        [] { return QStringList(); });
  }
  // The mirror: a failure leaves it as far as it came and MI empty.
  try {
    const bool espejo = plan_->modo == PlanGuardado::Modo::Cambio
                            ? EspejoDocumentoModificado(*TablaFacturaD, plan_->control)
                            : EspejoDocumentoNuevo(*TablaFacturaD);
    if (espejo && EnEncabezadoGuardado(numero))
      GrabaFilaDocumento(*TablaFacturae, QStringLiteral("ESPEJO"), false,
                         [](db::Dataset& e) { e.FieldByName(QStringLiteral("MI")).SetAsString(QStringLiteral("S")); });
  } catch (const plat::Error&) {
  }
}

QString TFormaCapturaRapida::EscribeControlDocumento(const QDateTime& momento) {
  try {
    db::Tabla& e = *TablaFacturae;
    if (!HayFila(e)) throw plat::Error(plat::Clase::NoExiste, kErrorControl);
    const QString numero = e.FieldByName(QStringLiteral("CLDOC_F")).AsString();
    const qint64 control = e.FieldByName(QStringLiteral("CONTROL")).AsInteger();
    const QString tipo = plan_ ? plan_->tipo : Base->currentText();
    const QString carpeta = CarpetaControl(CarpetaPrograma(QString()), momento);
    QString computadora;
    NombreComputadora(computadora);
    for (const QString& c : {carpeta, CarpetaControlDatos(RutaDatosVenta, momento, computadora)})
      if (!fs::ExisteCarpeta(c) && !fs::CreaCarpeta(c))
        throw plat::Error(plat::Clase::Io, kErrorControl);
    QStringList lineas{LineaControl(e)};
    // The lines of the saved document: its number and its CONTROL.
    db::Tabla& l = *TablaFacturaD;
    l.SetRange({numero}, {numero});
    for (l.First(); !l.Eof(); l.Next())
      if (l.FieldByName(QStringLiteral("CONTROL")).AsInteger() == control) lineas << LineaControl(l);
    const QString archivo = NombreControl(tipo.isEmpty() ? QChar() : tipo[0], numero, control, momento);
    fs::ReescribeLineas(fs::Une(carpeta, archivo), lineas);
    return archivo;
  } catch (const plat::Error&) {
    ui::MensajeSimple(kErrorControl);
    return {};
  }
}

void TFormaCapturaRapida::AcumulaTotalDia(int modo, double limite, std::optional<Dinero> importe) {
  if (!(limite > 0)) return;
  try {
    const QString carpeta = fs::Une(CarpetaPrograma(QString()), QStringLiteral("Acumular"));
    if (!fs::ExisteCarpeta(carpeta)) fs::CreaCarpeta(carpeta);
    const QString archivo = ArchivoAcumulado(CarpetaPrograma(QString()), fs::Ahora().date());
    if (modo == 1 || modo == -1) {
      const Dinero total =
          importe ? *importe
                  : HayFila(*TablaFacturae) ? Dinero::DeReal(TablaFacturae->FieldByName(QStringLiteral("IMTOD_F")).AsFloat())
                                            : Dinero();
      fs::AgregaLinea(archivo, LineaAcumulado(total, modo == -1));
    }
    const std::optional<Dinero> suma =
        SumaAcumulado(fs::ExisteArchivo(archivo) ? fs::LeeLineas(archivo) : QStringList());
    if (!suma) return;
    const QString texto = FormatoMascara(kMascaraAcumulado, *suma);
    if (*suma > Dinero::DeReal(limite)) MuestraMensaje(QStringLiteral("Ya se Excedió el Efectivo ") + texto);
    if (modo == 0) MuestraMensaje(QStringLiteral("Acumulado... ") + texto);
  } catch (const plat::Error&) {
  }
}

void TFormaCapturaRapida::Acumulado1Click() { AcumulaTotalDia(0, Conf.TotalAcumulado); }

void TFormaCapturaRapida::ReiniciarAcumulado1Click() {
  const QString programa = CarpetaPrograma(QString());
  fs::CreaCarpeta(fs::Une(programa, QStringLiteral("Acumular")));
  fs::BorraArchivo(ArchivoAcumulado(programa, fs::Ahora().date()));
}

void TFormaCapturaRapida::Bitacora1Click() {
  if (usuario->text() != u"0") return;
  const QString ruta = ArchivoHistorial(RutaDatosVenta, u'R', EditCLDOC_F->text());
  if (!fs::ExisteArchivo(ruta)) return;
  MuestraArchivoBitacora(this, ruta);
}
