// The runner of report scripts: the parameters dialog, the placeholders, the
// blocks and their lines.

#include "reports/RepoSQL.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "reports/CamposReporte.h"
#include "reports/Formatos.h"
#include "reports/GuionReporte.h"
#include "reports/Progreso.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <optional>

#include <tuple>
#include <utility>

int UmbralProgresoGuion = 1000;

namespace {

const QString kErrorReporte = QStringLiteral("Error al ejecutar el reporte...");
constexpr double kTasaImpuesto = 0.16;
constexpr double kTasaIeps = 0.08;
constexpr QChar kMarcaCondiciones = u'\u00BF';  // ¿
constexpr QChar kMarcaFechas = u'\u00C7';        // Ç
constexpr QChar kMarcaQuitada = u'\u00AB';       // «
constexpr int kLargoTipo = 10;
constexpr int kLargoTitulo = 30;
constexpr int kLargoCorte = 30;
const QString kSubrayado(29, u'_');
constexpr qint64 kRenglonesEntreAvisos = 256;
constexpr qint64 kMilisegundosEntreAvisos = 100;
// A run going on while its window shows works in slices this long.
constexpr qint64 kMilisegundosPorcion = 40;



// Gives the caller's table back, whatever happened: open again, on the
// key asked for.
class Reabre {
 public:
  Reabre(db::Tabla& tabla, const QString& clave) : tabla_(tabla), clave_(clave) {}
  ~Reabre() {
    try {
      tabla_.Open();
    } catch (const std::exception& e) {
      ui::MuestraExcepcion(e);
      return;
    }
    if (clave_.isEmpty() || tabla_.IndexName().isEmpty()) return;
    try {
      tabla_.FindKey({clave_});
    } catch (const std::exception&) {
      // A key that cannot be searched leaves the table on its first row.
    }
  }
  Reabre(const Reabre&) = delete;
  Reabre& operator=(const Reabre&) = delete;

 private:
  db::Tabla& tabla_;
  QString clave_;
};

// Closes the caller's table for the run; a failure to close leaves it as it
// is (it is opened again afterwards whatever this left).
void CierraTablaReporte(db::Tabla& tabla) {
  try {
    tabla.Close();
  } catch (const std::exception&) {
  }
}

// The text of the key field in the row the table stands on; empty for an
// empty table.
QString Clave(db::Tabla& tabla, const QString& campo) {
  return tabla.IsEmpty() ? QString() : tabla.FieldByName(campo).AsString();
}

// The lowest and highest key of the table, the range the dialog proposes
// whatever order the caller shows the table in (the range is on the key,
// so a table shown by name would propose keys out of order). A tag of the
// key field alone gives them at once, the table put back on its own tag;
// without one the SQL engine orders the keys as the report's range
// compares them.
std::pair<QString, QString> ExtremosClave(db::Tabla& tabla, const QString& campo) {
  for (const db::DefTag& tag : tabla.IndexDefs()) {
    if (tag.expresion.trimmed().compare(campo, Qt::CaseInsensitive) != 0) continue;
    const QString orden = tabla.IndexName();
    tabla.SetIndexName(tag.nombre);
    tabla.First();
    QString menor = Clave(tabla, campo);
    tabla.Last();
    QString mayor = Clave(tabla, campo);
    tabla.SetIndexName(orden);
    if (tag.descendente) std::swap(menor, mayor);
    return {menor, mayor};
  }
  const QString desde = QStringLiteral(" FROM ") + db::LiteralComillas(fs::Une(tabla.Carpeta(), tabla.NombreTabla())) +
                        QStringLiteral(" ORDER BY ") + campo;
  const auto extremo = [&](const QString& sentido) {
    db::Consulta q;
    q.SetSQL(QStringLiteral("SELECT ") + campo + desde + sentido + QStringLiteral(" LIMIT 1"));
    q.Open();
    return q.IsEmpty() ? QString() : q.Fields(0).AsString();
  };
  return {extremo(QString()), extremo(QStringLiteral(" DESC"))};
}

// The script with its placeholders filled from the dialog.
QString LlenaMarcas(const QString& guion, const QString& campoClave, const QString& campoFechaDesde,
                    const QString& campoFechaHasta, const TFormaFormatos& dialogo) {
  // The character after the last "¿" names the key field's table.
  const qsizetype marca = guion.lastIndexOf(kMarcaCondiciones);
  const QChar alias = marca >= 0 && marca + 1 < guion.size() ? guion[marca + 1] : QChar(u'\r');
  const QString de = dialogo.De->text();
  const QString hasta = dialogo.Hasta->text();
  QString rango;
  if (!de.isEmpty() && !hasta.isEmpty()) {
    const QString campo = alias == u'\r' ? campoClave : alias + u'.' + campoClave;
    rango = u'(' + campo + QStringLiteral(">=") + db::LiteralApostrofos(de) + QStringLiteral(" and ") + campo +
            QStringLiteral("<=") + db::LiteralApostrofos(hasta) + u')';
  }
  QString condiciones;
  CondicionesReporteSQL(campoFechaDesde, campoFechaHasta, condiciones);
  if (!rango.isEmpty()) condiciones += QStringLiteral(" and ") + rango;

  const QString fechas = QStringLiteral("  and  FEAPL_CC>=\"") + FechaSQL(TextoFecha(dialogo.Inicial->date())) +
                         QStringLiteral("\"and  FEAPL_CC<=\"") + FechaSQL(TextoFecha(dialogo.Final->date())) +
                         u'"';
  QString lleno;
  lleno.reserve(guion.size());
  for (const QChar c : guion) {
    if (c == kMarcaCondiciones) lleno += u' ' + condiciones;
    else if (c == kMarcaFechas) lleno += fechas;
    else lleno += c;
  }
  return lleno;
}

// The entry k (from 0) of a list that grows as scripts need it.
template <class Lista, class Valor>
void Fija(Lista& lista, qsizetype k, const Valor& valor) {
  if (static_cast<qsizetype>(lista.size()) <= k) lista.resize(k + 1);
  lista[k] = valor;
}

}  // namespace

// The progress window of a long run, shown modeless once the run has taken
// longer than UmbralProgresoGuion, closed before the report shows. The run
// takes no input meanwhile, so "Terminar" is off.
class TFormaReporteSQL::Progreso {
 public:
  Progreso() { reloj_.start(); }
  ~Progreso() {
    if (!ventana_) return;
    ventana_->BitBtn1->setEnabled(true);
    ventana_->Close();
  }
  Progreso(const Progreso&) = delete;
  Progreso& operator=(const Progreso&) = delete;

  // At the start of a block (renglon 0) and as its rows are laid out.
  void Avisa(int bloque, qint64 renglon, qint64 renglones) {
    if (renglon > 0 && renglon % kRenglonesEntreAvisos != 0) return;
    const bool abre = !ventana_;
    if (abre && reloj_.elapsed() < UmbralProgresoGuion) return;
    if (!abre && renglon > 0 && reloj_.elapsed() - pintado_ < kMilisegundosEntreAvisos) return;
    pintado_ = reloj_.elapsed();
    if (abre) Toma();
    ventana_->FijaMensaje(QStringLiteral("Bloque %1: %2 de %3 renglones").arg(bloque).arg(renglon).arg(renglones));
    ventana_->FijaAvance(renglones > 0 ? static_cast<int>(renglon * 100 / renglones) : 0);
    if (abre) ventana_->Show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }

 private:
  // The program's progress window, or one of its own.
  void Toma() {
    ventana_ = FormaProgreso();
    if (!ventana_) {
      propia_ = std::make_unique<TFormaProgreso>();
      ventana_ = propia_.get();
    }
    ventana_->SetTag(0);
    ventana_->BitBtn1->setEnabled(false);
  }

  QElapsedTimer reloj_;
  qint64 pintado_ = 0;
  std::unique_ptr<TFormaProgreso> propia_;
  TFormaProgreso* ventana_ = nullptr;
};

void EjecutaReporteSQL(const QString& titulo, const QString& campoClave, const QString& campoFechaDesde,
                       const QString& campoFechaHasta, const QString& claveBusca, db::Tabla& tabla,
                       const QString& guion, int tipo, const QString& mascara, bool muestraDialogo, QChar sentido,
                       const QVector<int>& bloquesResumen) {
  TasaImpuestoReporte = kTasaImpuesto;
  TasaIepsReporte = kTasaIeps;
  TFormaFormatos dialogo;
  TFormaReporteSQL ventana;
  ventana.MarcaResumenGuion = tipo == 4 ? QStringLiteral("/") : QString();
  ventana.SentidoGuion = sentido;
  ventana.TipoReporteGuion = tipo;
  ventana.BloquesResumenGuion = bloquesResumen;

  QString primera;
  QString ultima;
  {
    // The table stands on the key again before the dialog shows: the window
    // it belongs to shows that row behind the dialog.
    const Reabre reabre(tabla, claveBusca);
    if (!tabla.Active()) tabla.Open();
    tabla.CancelRange();
    tabla.SetFiltered(false);
    if (!campoClave.isEmpty()) std::tie(primera, ultima) = ExtremosClave(tabla, campoClave);
  }

  dialogo.De->setText(primera);
  dialogo.Hasta->setText(ultima);
  QString campos;
  CamposDelSelect(guion, campos);
  PreparaParametrosReporte(true, true, true, false, false, true, true, true, true, tabla.NombreTabla());
  ventana.setWindowTitle(QStringLiteral("Reporte de ") + QString(titulo).remove(u'&'));
  dialogo.Formatos->hide();
  dialogo.Rangos->show();
  QWidget* const controles[] = {dialogo.Inicial, dialogo.Final, dialogo.De, dialogo.Hasta};
  for (qsizetype i = 0; i < std::min<qsizetype>(mascara.size(), 4); ++i) {
    if (mascara[i] == u'N') controles[i]->setEnabled(false);
  }
  if (muestraDialogo) dialogo.ShowModal();
  else dialogo.SetTag(1);
  if (dialogo.Tag() != 1) return;

  bool corrido = false;
  try {
    // Closed while the statements read its file, open again (on the key)
    // before the viewer shows, so its window never shows empty boxes.
    const Reabre reabre(tabla, claveBusca);
    CierraTablaReporte(tabla);
    ventana.EjecutaBloquesReporte(LlenaMarcas(guion, campoClave, campoFechaDesde, campoFechaHasta, dialogo));
    corrido = true;
  } catch (const std::exception&) {
    ui::MensajeSimple(kErrorReporte);
  }
  if (corrido) ventana.MuestraReporteGuion();
}

void TFormaReporteSQL::EjecutaBloquesReporte(const QString& guion) {
  Codigo.clear();
  CodigoGlobal = guion.split(u'\r');
  CodigoGlobal.removeLast();
  TiposGuion.clear();
  TotalesGuion.clear();
  LimpiaHoja();
  corrida_ = std::make_unique<Corrida>();
  corrida_->reloj.start();
  {
    Progreso progreso;
    progreso_ = &progreso;
    const struct Suelta {
      Progreso*& progreso;
      ~Suelta() { progreso = nullptr; }
    } suelta{progreso_};
    try {
      // A plain report still running when the threshold passes shows its
      // first page as soon as it is full.
      const bool plano = TipoReporteGuion == 0;
      for (;;) {
        const bool larga = plano && corrida_->reloj.elapsed() >= UmbralProgresoGuion;
        if (larga && PaginasGuion.Escritas() >= RenglonesPorPaginaGuion) break;
        if (AvanzaBloquesGuion(plano && !larga ? UmbralProgresoGuion : -1, larga ? RenglonesPorPaginaGuion : -1)) {
          FinCorrida();
          break;
        }
      }
      FijaPagina(1);
    } catch (...) {
      corrida_.reset();
      throw;
    }
  }
  if (corrida_) {
    PaginasGuion.FijaCorrida([this] { TerminaCorrida(); });
    MuestraAvance();
    porcion_->start();
  }
}

void TFormaReporteSQL::MuestraReporteGuion() {
  ShowModal();
  porcion_->stop();
  PaginasGuion.FijaCorrida({});
  corrida_.reset();
}

void TFormaReporteSQL::EjecutaBloquesGuion() {
  if (!corrida_) {
    corrida_ = std::make_unique<Corrida>();
    corrida_->reloj.start();
  }
  AvanzaBloquesGuion(-1);
  FinCorrida();
}

bool TFormaReporteSQL::AvanzaBloquesGuion(qint64 hasta, qsizetype lineas) {
  Corrida& c = *corrida_;
  for (;;) {
    if (c.recorrido) {
      if (!AvanzaBloqueGuion(hasta, lineas)) return false;
      c.recorrido.reset();
    }
    if (c.linea >= CodigoGlobal.size()) return true;
    if (hasta >= 0 && c.reloj.elapsed() >= hasta) return false;
    if (lineas >= 0 && PaginasGuion.Escritas() >= lineas) return false;
    const QString& linea = CodigoGlobal[c.linea++];
    if (linea.isEmpty()) continue;
    if (!linea.startsWith(u'@')) {
      c.bloque += linea + u'\r';
      continue;
    }
    ++BloqueGuion;
    Codigo = c.bloque.split(u'\r');
    Codigo.removeLast();
    c.bloque.clear();
    IniciaBloqueGuion();
  }
}

QString TFormaReporteSQL::CarpetaTrabajo() {
  // The program folder's "tempo"; the system's temporary folder when it is
  // missing.
  QString carpeta;
  CarpetaLocal(carpeta);
  const QString tempo = fs::Une(carpeta, QStringLiteral("tempo"));
  return fs::ExisteCarpeta(tempo) ? fs::Local(tempo) : QString();
}

bool TFormaReporteSQL::CorridaCompleta() {
  try {
    TerminaCorrida();
    return true;
  } catch (const std::exception&) {
    ui::MensajeSimple(kErrorReporte);
    Close();
    return false;
  }
}

void TFormaReporteSQL::FinCorrida() {
  corrida_.reset();
  PaginasGuion.FijaCorrida({});
  if (porcion_) porcion_->stop();
  AvanceGuion->hide();
}

void TFormaReporteSQL::TerminaCorrida() {
  if (!corrida_) return;
  porcion_->stop();
  Progreso progreso;
  progreso_ = &progreso;
  const struct Suelta {
    Progreso*& progreso;
    ~Suelta() { progreso = nullptr; }
  } suelta{progreso_};
  try {
    AvanzaBloquesGuion(-1);
  } catch (...) {
    FinCorrida();
    throw;
  }
  FinCorrida();
  MuestraAvance();
}

void TFormaReporteSQL::SiguePorcionGuion() {
  if (!corrida_) return;
  try {
    if (AvanzaBloquesGuion(corrida_->reloj.elapsed() + kMilisegundosPorcion)) FinCorrida();
  } catch (const std::exception&) {
    // The run fails as one that failed before the window showed.
    FinCorrida();
    ui::MensajeSimple(kErrorReporte);
    Close();
    return;
  }
  MuestraAvance();
  if (corrida_) porcion_->start();
}

int TFormaReporteSQL::PorcientoBloque() const {
  if (!corrida_ || !corrida_->recorrido || corrida_->recorrido->renglones <= 0) return 0;
  return static_cast<int>(RenglonesBloqueGuion * 100 / corrida_->recorrido->renglones);
}

void TFormaReporteSQL::InterpretaBloqueGuion() {
  if (!corrida_) {
    corrida_ = std::make_unique<Corrida>();
    corrida_->reloj.start();
  }
  if (IniciaBloqueGuion()) AvanzaBloqueGuion(-1);
  corrida_->recorrido.reset();
}

bool TFormaReporteSQL::IniciaBloqueGuion() {
  RenglonesBloqueGuion = 0;
  LineasTotalesGuion.clear();
  CampoCorteGuion.clear();
  if (progreso_) progreso_->Avisa(BloqueGuion, 0, 0);

  QString titulo;
  QString consulta;
  QString encabezado;
  QString orden;
  QString anterior;  // what the line before left: the statement, or another line's text
  for (const QString& linea : std::as_const(Codigo)) {
    if (linea.isEmpty()) continue;
    const QChar prefijo = linea[0];
    const QString resto = QString(linea).remove(prefijo);
    switch (prefijo.unicode()) {
      case u'>':
        CampoCorteGuion = resto.left(kLargoCorte);
        break;
      case u'$':
        titulo = QStringLiteral("Reporte de ") + resto;
        break;
      case u'#':
        OrdenReporteSQL(QString(), orden);
        encabezado = resto;
        if (!orden.isEmpty()) encabezado += u'*' + orden;
        {
          const QStringList titulos = TitulosDeEncabezado(encabezado);
          for (qsizetype k = 0; k < titulos.size(); ++k) Fija(TitulosGuion, k, titulos[k].left(kLargoTitulo));
        }
        break;
      case u'<':
        if (!resto.isEmpty()) return false;
        break;
      case u'&': {
        QString datos;
        LeeLineaConfig(8, datos);
        consulta = QString(resto).replace(u'#', datos);
        anterior = consulta;
        break;
      }
      case u'?':
        consulta = anterior.remove(kMarcaQuitada) + QStringLiteral("  where ") + resto;
        anterior = consulta;
        break;
      case u'!':
        anterior = resto;
        OrdenReporteSQL(QString(), orden);
        if (!orden.isEmpty()) {
          consulta = InsertaCampoOrden(consulta + QStringLiteral("  order by ") + orden, QStringLiteral("from"), orden);
        } else if (resto != u"X") {
          consulta += QStringLiteral("  order by ") + resto;
        }
        break;
      case u'%': {
        const QStringList tipos = TokensTiposGuion(orden.isEmpty() ? resto : resto + QStringLiteral(",c"));
        anterior.clear();
        for (qsizetype k = 0; k < tipos.size(); ++k) {
          Fija(TiposGuion, k, tipos[k].left(kLargoTipo));
          anterior += tipos[k] + u'*';
        }
        break;
      }
      default:
        break;
    }
    consulta.remove(kMarcaQuitada);
  }

  consulta.remove(u'?');
  consulta.remove(kMarcaCondiciones);
  db::Consulta& resultado = *Query1;
  if (!consulta.isEmpty()) {
    resultado.Close();
    resultado.SetCarpetaTrabajo(CarpetaTrabajo());
    resultado.SetSQL(consulta);
    resultado.Open();
  }
  if (!titulo.isEmpty()) PaginasGuion << MarcaResumenGuion + u'*' + titulo << MarcaResumenGuion + encabezado << QString();
  RecorridoBloque& r = corrida_->recorrido.emplace();
  r.anchos = AnchosDeEncabezado(encabezado);
  for (size_t k = 0; k < r.anchos.size(); ++k) Fija(AnchosGuion, static_cast<qsizetype>(k), r.anchos[k]);
  PaginasGuion << QString();

  // Its first row's group; rows come from the end backwards for "d".
  r.corte = CampoCorteGuion.isEmpty() ? nullptr : &resultado.FieldByName(CampoCorteGuion);
  if (r.corte && !resultado.IsEmpty()) {
    resultado.First();
    r.grupo = r.corte->AsString();
  }
  if (SentidoGuion == u'd') resultado.Last();
  else resultado.First();

  r.campos = resultado.FieldCount();
  if (TotalesGuion.size() < static_cast<size_t>(BloqueGuion)) TotalesGuion.resize(static_cast<size_t>(BloqueGuion));
  std::vector<Dinero>& totales = TotalesGuion[static_cast<size_t>(BloqueGuion - 1)];
  totales.resize(std::max(totales.size(), static_cast<size_t>(r.campos)));
  SubtotalesGuion.resize(std::max(SubtotalesGuion.size(), static_cast<size_t>(r.campos)));
  r.renglones = resultado.RecordCount();
  return true;
}

bool TFormaReporteSQL::AvanzaBloqueGuion(qint64 hasta, qsizetype lineas) {
  RecorridoBloque& r = *corrida_->recorrido;
  db::Consulta& resultado = *Query1;
  std::vector<Dinero>& totales = TotalesGuion[static_cast<size_t>(BloqueGuion - 1)];
  const int columnas = static_cast<int>(r.anchos.size());
  while (!FinDeRecorridoGuion(SentidoGuion, resultado)) {
    QString renglon;
    for (int j = 0; j < columnas; ++j) {
      renglon += AjustaAnchoGuion(FormateaValorGuion(resultado.Fields(j).AsString(), TiposGuion.value(j)),
                                  r.anchos[static_cast<size_t>(j)]);
    }
    for (int j = 0; j < r.campos; ++j) {
      const QString& tipo = TiposGuion.value(j);
      if (tipo != u"t" && tipo != u"m") continue;
      const Dinero valor = ValorTotalGuion(resultado.Fields(j));
      totales[static_cast<size_t>(j)] += valor;
      if (!r.corte) continue;
      const QString valorCorte = r.corte->AsString();
      if (valorCorte == r.grupo) {
        SubtotalesGuion[static_cast<size_t>(j)] += valor;
      } else {
        LineasDeGrupo(r.campos);
        SubtotalesGuion[static_cast<size_t>(j)] = valor;
      }
      r.grupo = valorCorte;
    }
    RenglonAnteriorGuion = renglon;
    PaginasGuion << renglon;
    if (SentidoGuion == u'd') resultado.Prior();
    else resultado.Next();
    ++RenglonesBloqueGuion;
    if (progreso_) progreso_->Avisa(BloqueGuion, RenglonesBloqueGuion, r.renglones);
    if (lineas >= 0 && PaginasGuion.Escritas() >= lineas) return false;
    if (hasta >= 0 && RenglonesBloqueGuion % kRenglonesEntreAvisos == 0 && corrida_->reloj.elapsed() >= hasta)
      return false;
  }

  if (!resultado.Eof()) return true;
  if (r.corte) LineasDeGrupo(r.campos);
  for (int j = 0; j < r.campos; ++j) {
    if (TiposGuion.value(j) == u"m")
      totales[static_cast<size_t>(j)] = DivideTotalGuion(totales[static_cast<size_t>(j)], double(RenglonesBloqueGuion));
  }
  LineasDeTotales(r.campos);
  return true;
}

void TFormaReporteSQL::LineasDeGrupo(int campos) {
  QString subtotal =
      MarcaResumenGuion.isEmpty() ? QString() : MarcaResumenGuion + PrimerosCaracteres(RenglonAnteriorGuion, Ancho(0));
  QString subrayado = MarcaResumenGuion;
  TotalesExportaGuion exporta{RenglonesBloqueGuion, {}};
  for (int k = 0; k < campos; ++k) {
    const bool suma = TiposGuion.value(k) == u"t";
    const Dinero valor = SubtotalesGuion[static_cast<size_t>(k)];
    subtotal += AjustaAnchoGuion(suma ? FormateaValorGuion(valor.Texto(), QStringLiteral("t")) : QStringLiteral(" "),
                                 Ancho(k));
    subrayado += AjustaAnchoGuion(suma ? kSubrayado : QStringLiteral(" "), Ancho(k));
    exporta.importes.push_back(suma ? std::optional(valor) : std::nullopt);
  }
  PaginasGuion << subrayado << subtotal << QString();
  LineasTotalesGuion.push_back(std::move(exporta));
  std::fill(SubtotalesGuion.begin(), SubtotalesGuion.end(), Dinero());
}

void TFormaReporteSQL::LineasDeTotales(int campos) {
  const std::vector<Dinero>& totales = TotalesGuion[static_cast<size_t>(BloqueGuion - 1)];
  QString total = MarcaResumenGuion;
  QString subrayado = MarcaResumenGuion;
  TotalesExportaGuion exporta{RenglonesBloqueGuion, {}};
  for (int j = 0; j < campos; ++j) {
    const QString tipo = TiposGuion.value(j);
    const bool suma = tipo == u"t" || tipo == u"m";
    total += AjustaAnchoGuion(
        suma ? FormateaValorGuion(totales[static_cast<size_t>(j)].Texto(), tipo) : QStringLiteral(" "), Ancho(j));
    subrayado += AjustaAnchoGuion(suma ? kSubrayado : QStringLiteral(" "), Ancho(j));
    exporta.importes.push_back(suma ? std::optional(totales[static_cast<size_t>(j)]) : std::nullopt);
  }
  PaginasGuion << subrayado << total << QString() << QString() << QStringLiteral(".");
  LineasTotalesGuion.push_back(std::move(exporta));
}

int TFormaReporteSQL::Ancho(int k) const {
  return k < static_cast<int>(AnchosGuion.size()) ? AnchosGuion[static_cast<size_t>(k)] : 0;
}
