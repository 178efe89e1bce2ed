// The product window's stock checks and adjustments ("Opciones"): one walk
// of the product table from the product shown to the end, in the window's
// order, recounting each product's stock and comparing it with the stored
// EXIST_I; and the list of the totals rows whose entries and exits do not
// make their stock.

#include "inventory/Inven.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "inventory/Caducidad.h"
#include "inventory/ConciliaExistencias.h"
#include "inventory/Costeo.h"
#include "inventory/RecalculoExistencia.h"
#include "inventory/RecorridoProductos.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/ControlesDatos.h"
#include "reports/Progreso.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QLineEdit>

#include <cmath>
#include <functional>

namespace {

const QString kMascaraExistencia = QStringLiteral("###,##0.00");
const QString kMascaraNumero = QStringLiteral("###,##0");
const QString kAjustados = QStringLiteral("Total de Ajustados ");
// Stored stock and recount differ when they are farther apart than this.
constexpr double kToleranciaRevision = 0.1;

QString Linea(int n) {
  QString valor;
  LeeLineaConfig(n, valor);
  return valor;
}

// A product's recount as texts. From the movement mirror only the stock
// comes: entries and exits are empty.
struct Recuento {
  QString existencia, entradas, salidas;
  bool espejo = false;
};

enum class Fuente {
  // The recount union of the documents, or the movement mirror when
  // configuration line 78 is "S".
  Documentos,
  // The reduced union of the "Revisa" commands.
  Reducida,
};

Recuento Recuenta(Fuente fuente, bool espejo, const db::Carpetas& empresa, const QString& clave,
                  const QString& existencia) {
  Recuento r;
  QString totales;
  if (fuente == Fuente::Reducida) {
    totales = CalculaExistenciaKardex(ConsultaExistenciaReducida(empresa, clave));
  } else if (espejo) {
    r.espejo = true;
    r.existencia = MuestraKardexIntegral(ConsultaEspejoExistencia(empresa, clave), kOrdenEspejo, existencia, false);
    return r;
  } else {
    totales = CalculaExistenciaKardex(ConsultaExistencia(empresa, clave));
  }
  ElementoComa(totales, 1, r.existencia);
  ElementoComa(totales, 2, r.entradas);
  ElementoComa(totales, 3, r.salidas);
  return r;
}

// The stored stock as the comparisons read it (blank is 0) and as text
// (blank is "").
double Guardada(const db::Dataset& productos) { return productos.FieldByName(QStringLiteral("EXIST_I")).AsFloat(); }

QString Clave(const db::Dataset& productos) { return productos.FieldByName(QStringLiteral("CLPRO_I")).AsString(); }

QString Cantidad(double valor) { return FormatoMascara(kMascaraExistencia, valor); }

// A list file of the program folder, emptied as its command starts. False,
// after the message, when it cannot be written.
bool IniciaLista(const QString& archivo) {
  try {
    fs::CreaCarpeta(fs::CarpetaDe(archivo));
    fs::ReescribeLineas(archivo, {});
    return true;
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
}

bool EscribeLista(const QString& archivo, const QStringList& lineas) {
  try {
    fs::ReescribeLineas(archivo, lineas);
    return true;
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return false;
  }
}

QString DiaDeHoy() { return QString::number(NumeroDeFecha(fs::Hoy())); }

}  // namespace

struct TFormaInventario::RecorridoExistencias {
  Fuente fuente = Fuente::Documentos;
  // Only the products sold (VANCA_I above 0) or with a stock text.
  bool prefiltro = false;
  // The bar moves only on the products examined.
  bool barraSoloExaminados = false;
  AvanceInventario::Entrada entrada = AvanceInventario::Entrada::Rechazada;
  // The command's work on the product's row with its recount; an error
  // skips the product.
  std::function<void(db::Tabla& productos, const Recuento& recuento)> accion;
  // Products that passed the filter, filled by the walk.
  qint64 examinados = 0;
};

bool TFormaInventario::EnProducto() const {
  return !recorriendo_ && !Editando() && TablaInventario->Active() && !TablaInventario->IsEmpty();
}

std::unique_ptr<db::Tabla> TFormaInventario::ProductosDeVentana(bool soloLectura, bool enSuOrden) const {
  const db::Tabla& t = *TablaInventario;
  return AbreProductos(soloLectura, enSuOrden ? t.IndexName() : QString(), t.Filtered() ? t.Filter() : QString());
}

qint64 TFormaInventario::RecorreExistencias(RecorridoExistencias& recorrido) {
  struct Marca {
    bool& b;
    explicit Marca(bool& valor) : b(valor) { b = true; }
    ~Marca() { b = false; }
  } marca(recorriendo_);
  const db::Carpetas empresa = CarpetasEmpresa();
  const bool espejo = recorrido.fuente == Fuente::Documentos && Linea(ConfKardexIntegral) == u"S";

  auto productos = ProductosDeVentana(false, true);
  const qint64 n = productos->RecordCount();
  if (!productos->VeARegistro(TablaInventario->RecNo())) productos->First();
  const db::Campo& vendido = productos->FieldByName(QStringLiteral("VANCA_I"));
  const db::Campo& existencia = productos->FieldByName(QStringLiteral("EXIST_I"));

  AvanceInventario avance(recorrido.entrada);
  qint64 i = 0;
  qint64 ultimo = 0;
  for (; !productos->Eof(); productos->Next(), ++i) {
    ultimo = productos->RecNo();
    const bool examina = !recorrido.prefiltro || vendido.AsFloat() > 0 || !existencia.IsNull();
    if (examina) {
      ++recorrido.examinados;
      try {
        const QString clave = Clave(*productos);
        EditCLPRO_I->setText(clave);
        EditCLPRO_I->repaint();
        avance.Ventana().setWindowTitle(clave);
        avance.Ventana().repaint();
        const QString guardada = existencia.IsNull() ? QString() : TextoCantidadKardex(existencia.AsFloat());
        recorrido.accion(*productos, Recuenta(recorrido.fuente, espejo, empresa, clave, guardada));
      } catch (const std::exception&) {
        // A product that cannot be counted or written is passed over.
        if (productos->State() != db::Dataset::Estado::Navegando) productos->Cancel();
      }
    }
    if (examina || !recorrido.barraSoloExaminados)
      avance.Ventana().FijaAvance(n > 1 ? static_cast<int>(std::lround(100.0 * double(i) / double(n - 1))) : 100);
    avance.Pasa();
    if (recorrido.entrada == AvanceInventario::Entrada::ConParo && avance.Parado()) break;
  }
  return ultimo;
}

void TFormaInventario::TerminaRecorrido(qint64 registro) {
  db::Tabla& t = *TablaInventario;
  try {
    t.Refresh();
    if (registro == 0 || !t.VeARegistro(registro)) t.Last();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
  }
  MuestraProducto();
}

// --- The stored stock set to the recount.

void TFormaInventario::AjustarInventarioSegunKardex1Click() {
  if (!EnProducto()) return;
  const QString archivo = CarpetaPrograma + QStringLiteral("\\Kardex") + DiaDeHoy() + QStringLiteral(".dat");
  if (!IniciaLista(archivo)) return;
  QStringList lineas;
  int ajustados = 0;
  RecorridoExistencias r;
  r.accion = [&](db::Tabla& productos, const Recuento& c) {
    QString escrita = c.existencia;
    if (!c.existencia.isEmpty()) {
      const RecuentoEscrito e = EscribeRecuento(productos, c.existencia, c.entradas, c.salidas, true, !c.espejo);
      if (e.ajustada) ++ajustados;
      escrita = e.existencia;
    }
    lineas << Clave(productos) + u',' + escrita;
  };
  qint64 ultimo = 0;
  try {
    ultimo = RecorreExistencias(r);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  EscribeLista(archivo, lineas);
  MuestraMensaje(kAjustados + QString::number(ajustados));
  SelloUltimoKardex(CarpetaDatosEmpresa());
  TerminaRecorrido(ultimo);
}

void TFormaInventario::AjustarporKardexRapido1Click() {
  if (!EnProducto()) return;
  const QString archivo =
      CarpetaPrograma + QStringLiteral("\\TEMPO\\Kardex") + DiaDeHoy() + QStringLiteral(".dat");
  if (!IniciaLista(archivo)) return;
  QStringList lineas;
  int ajustados = 0;
  RecorridoExistencias r;
  r.prefiltro = true;
  r.barraSoloExaminados = true;
  r.accion = [&](db::Tabla& productos, const Recuento& c) {
    const RecuentoEscrito e = EscribeRecuento(productos, c.existencia, c.entradas, c.salidas, false, !c.espejo);
    if (!e.escrita) return;
    if (e.ajustada) ++ajustados;
    lineas << Clave(productos) + u'\t' + Cantidad(ValorReal(e.existencia)) + u'\t' + Cantidad(Guardada(productos));
  };
  qint64 ultimo = 0;
  try {
    ultimo = RecorreExistencias(r);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  EscribeLista(archivo, lineas);
  MuestraMensaje(kAjustados + QString::number(ajustados) + QStringLiteral(" de ") + QString::number(r.examinados));
  SelloUltimoKardex(CarpetaDatosEmpresa());
  TerminaRecorrido(ultimo);
}

// --- Adjustment movements for the differences.

void TFormaInventario::AjustarInventarioSegunExistencias1Click() {
  if (!EnProducto()) return;
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  db::Tabla movimientos;
  RecorridoExistencias r;
  r.accion = [&](db::Tabla& productos, const Recuento& c) {
    if (!c.existencia.isEmpty()) AjustaPorMovimiento(movimientos, productos, c.existencia, Guardada(productos));
  };
  qint64 ultimo = 0;
  try {
    ApuntaTabla(movimientos, kTablaMovimientos);
    movimientos.Open();
    ultimo = RecorreExistencias(r);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  movimientos.Close();
  TerminaRecorrido(ultimo);
}

// --- Lists of the differences.

void TFormaInventario::RevisaExistencias1Click() {
  if (!EnProducto()) return;
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  const QString archivo = CarpetaPrograma + QStringLiteral("\\tempo\\ajustar.txt");
  if (!IniciaLista(archivo)) return;
  QStringList lineas;
  RecorridoExistencias r;
  r.fuente = Fuente::Reducida;
  r.entrada = AvanceInventario::Entrada::ConParo;
  r.accion = [&](db::Tabla& productos, const Recuento& c) {
    if (c.existencia.isEmpty()) return;
    const double guardada = Guardada(productos);
    const double recuento = ValorReal(c.existencia);
    if (std::fabs(DiferenciaExistencia(guardada, recuento)) > kToleranciaRevision)
      lineas << Clave(productos) + u'\t' + Cantidad(guardada) + u'\t' + Cantidad(recuento);
  };
  qint64 ultimo = 0;
  try {
    ultimo = RecorreExistencias(r);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  const bool escrita = EscribeLista(archivo, lineas);
  TerminaRecorrido(ultimo);
  if (!escrita) return;
  const proc::Resultado abierto = proc::AbreDocumento(archivo);
  if (!abierto) MuestraMensaje(QStringLiteral("No se pudo abrir la lista de existencias: ") + abierto.error);
}

void TFormaInventario::RevisaExistenciasRapido1Click() {
  if (!EnProducto()) return;
  if (!Administrador()) {
    MuestraMensaje(kSoloAdministrador);
    return;
  }
  const QString archivo = CarpetaPrograma + QStringLiteral("\\tempo\\ajustar.txt");
  if (!IniciaLista(archivo)) return;
  QStringList lineas;
  int hallados = 0;
  RecorridoExistencias r;
  r.fuente = Fuente::Reducida;
  r.prefiltro = true;
  r.accion = [&](db::Tabla& productos, const Recuento& c) {
    if (c.existencia.isEmpty()) return;
    const double guardada = Guardada(productos);
    const double recuento = ValorReal(c.existencia);
    const double diferencia = DiferenciaExistencia(guardada, recuento);
    if (std::fabs(diferencia) <= kToleranciaRevision) return;
    ++hallados;
    lineas << FormatoMascara(kMascaraNumero, double(hallados)) + u'\t' + Clave(productos) + QStringLiteral("\t\t") +
                  Cantidad(diferencia) + u'\t' + Cantidad(guardada) + u'\t' + Cantidad(recuento);
  };
  qint64 ultimo = 0;
  try {
    ultimo = RecorreExistencias(r);
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  const bool escrita = EscribeLista(archivo, lineas);
  TerminaRecorrido(ultimo);
  if (!escrita) return;
  const proc::Resultado abierto = proc::Ejecuta(QStringLiteral("notepad.exe ") + archivo);
  if (!abierto) MuestraMensaje(QStringLiteral("No se pudo abrir la lista de existencias: ") + abierto.error);
}

// --- Totals rows that do not add up.

void TFormaInventario::VerDesajuste1Click() {
  // Compared to the cent: entries and exits are sums of decimal quantities,
  // and a float sum that agrees to the cent is no difference.
  TFormaCaducidad forma(this);
  try {
    forma.Query1->SetSQL(QStringLiteral("SELECT CLPRO_I,ENTRA_I,SALID_I,EXIST_I FROM ") +
                         TablaSQL(QStringLiteral("KARDEX.DBF")) +
                         QStringLiteral("  WHERE ABS(ENTRA_I+SALID_I-EXIST_I)>=0.005 order by CLPRO_I "));
    forma.Query1->Open();
  } catch (const std::exception& e) {
    ui::MuestraExcepcion(e);
    return;
  }
  forma.ShowModal();
}
