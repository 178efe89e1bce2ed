#include "salesdocs/CortesPagados.h"

#include "foundation/decimal.h"
#include "foundation/dialogos.h"
#include "foundation/dinero.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "platform/Error.h"
#include "platform/db/Consulta.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "pos/CaptuRap.h"
#include "pos/Corte.h"
#include "pos/ListaSQL.h"
#include "reports/Barras.h"
#include "reports/CerrojoTabla.h"
#include "reports/Formatos.h"
#include "reports/RepoSQL.h"
#include "shell/LugarTablas.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include <cmath>
#include <memory>
#include <optional>

namespace {

const QString kCortePag = QStringLiteral("CORTE_PAG.DBF");
const QString kProductoRequerido = QStringLiteral("REPOR_KWO.DBF");
const QString kMultiPagos = QStringLiteral("MultiPagos.dbf");

QString Comillas(const QString& ruta) { return u'"' + ruta + u'"'; }

// The program folder's tempo, where the work tables live.
QString CarpetaTempo() {
  QString programa;
  CarpetaLocal(programa);
  const QString tempo = fs::Une(programa, QStringLiteral("TEMPO"));
  if (!fs::ExisteCarpeta(tempo)) fs::CreaCarpeta(tempo);
  return tempo;
}

QString RutaEncabezado(TFormaCapturaRapida& p) {
  return fs::Une(p.TablaFacturae->Carpeta(), p.TablaFacturae->NombreTabla());
}

QString Fecha(const QDate& d) { return FechaSQL(TextoFecha(d)); }

// " and  FEDOC_F>="from"and  FEDOC_F<="to"" on the field.
QString EntreFechas(const QString& campo, const QDate& desde, const QDate& hasta) {
  return QStringLiteral("and  ") + campo + QStringLiteral(">=\"") + Fecha(desde) + QStringLiteral("\"and  ") + campo +
         QStringLiteral("<=\"") + Fecha(hasta) + u'"';
}

// A statement whose failure is ignored: the work table is then checked by
// its use.
void EjecutaIgnorando(const QString& sql) {
  try {
    db::Consulta q;
    q.SetSQL(sql);
    q.ExecSQL();
  } catch (const std::exception&) {
  }
}

// The old work table deleted and the new one made by the statements.
void RehaceTabla(const QString& archivo, const QString& columnas, const QString& tag) {
  const QString tempo = CarpetaTempo();
  try {
    db::Tabla::Borra(tempo, archivo);
  } catch (const std::exception&) {
  }
  const QString ruta = Comillas(fs::Une(tempo, archivo));
  EjecutaIgnorando(QStringLiteral("CREATE TABLE ") + ruta + u' ' + columnas);
  if (!tag.isEmpty()) EjecutaIgnorando(QStringLiteral("CREATE INDEX ") + tag + QStringLiteral(" ON ") + ruta + u' ' + u'(' + tag + u')');
}

std::unique_ptr<db::Tabla> AbreTrabajo(const QString& carpeta, const QString& archivo, const QString& tag) {
  auto t = std::make_unique<db::Tabla>();
  t->SetCarpeta(carpeta);
  t->SetNombreTabla(archivo);
  t->Open();
  if (!tag.isEmpty()) t->SetIndexName(tag);
  return t;
}

std::unique_ptr<db::Consulta> Consulta(const QString& sql) {
  auto q = std::make_unique<db::Consulta>();
  q->SetSQL(sql);
  q->Open();
  return q;
}

Dinero Importe(const db::Campo& c) { return Dinero::DeTexto(c.AsString().trimmed().isEmpty() ? QStringLiteral("0") : c.AsString()); }

// The hold of a work table for one run; false (after saying so) when
// another copy keeps it.
bool TomaTabla(CerrojoTabla& cerrojo) {
  if (cerrojo.Toma()) return true;
  MuestraMensaje(QStringLiteral("La tabla ") + cerrojo.Tabla() + QStringLiteral(" está ocupada por otra estación"));
  return false;
}

// The parameters dialog of the commands that take the dialog's dates;
// nothing when it was not accepted. `primera`/`ultima`: the key range.
std::optional<std::pair<QDate, QDate>> Parametros(const QString& primera, const QString& ultima) {
  auto formatos = std::make_unique<TFormaFormatos>();
  auto barras = std::make_unique<TFormaBarras>();
  formatos->Rangos->show();
  formatos->Formatos->hide();
  PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, QStringLiteral("facturae.dbf"));
  FijaRangoReporte(0, 0, primera, ultima);
  formatos->ShowModal();
  const bool acepta = formatos->Tag() == 1;
  const std::pair<QDate, QDate> fechas{formatos->Inicial->date(), formatos->Final->date()};
  formatos->SetTag(0);
  if (!acepta) return std::nullopt;
  return fechas;
}

// The cut chosen in the cash-cut window; nothing when none was.
std::optional<int> EligeCorte(TFormaCapturaRapida& p) {
  auto corte = std::make_unique<TFormaCorte>(&p);
  corte->LabelRuta->setText(RutaDatosCorte);
  corte->LabelDocumento->hide();
  corte->BotonAceptar->show();
  corte->Panel1->setEnabled(true);
  corte->ShowModal();
  if (corte->Tag() != 2 || !corte->TablaCortes->Active() || corte->TablaCortes->IsEmpty()) return std::nullopt;
  return static_cast<int>(corte->TablaCortes->FieldByName(QStringLiteral("CORTE")).AsInteger());
}

QString NumeroActual(TFormaCapturaRapida& p) {
  db::Tabla& t = *p.TablaFacturae;
  if (!t.Active() || t.IsEmpty()) return QString();
  return t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
}

QString Caption(TFormaCapturaRapida& p, const QString& clave) {
  QAction* a = p.MainMenu1->findChild<QAction*>(clave);
  return a ? a->text() : QString();
}

QString Guion(const QStringList& lineas) {
  QString g;
  for (const QString& l : lineas) g += l + u'\r';
  return g;
}

enum class Forma { Concentrado, Detallado, SinCredito };
enum class Periodo { Fechas, CorteAnterior, Corte };

struct CortePagado {
  const char* clave;
  Forma forma;
  Periodo periodo;
};

const CortePagado kCortes[] = {
    {"CortePagadosConcentrado1", Forma::Concentrado, Periodo::Fechas},
    {"CorteDetallado2", Forma::Detallado, Periodo::Fechas},
    {"CortePagadosConcentradoporPeriodo1", Forma::Concentrado, Periodo::CorteAnterior},
    {"Detallado1", Forma::Detallado, Periodo::CorteAnterior},
    {"CortePagadosDetallado1", Forma::SinCredito, Periodo::CorteAnterior},
    {"CortePagadosConcentradoParcial1", Forma::Concentrado, Periodo::Corte},
    {"CorteDetalladoParcial1", Forma::Detallado, Periodo::Corte},
    {"DetalladosinCrdito1", Forma::SinCredito, Periodo::Corte},
};

void CorreCortePagado(TFormaCapturaRapida& p, const CortePagado& c) {
  const QString caption = Caption(p, QLatin1String(c.clave));
  PeriodoCorte periodo;
  if (c.periodo == Periodo::Fechas) {
    const auto fechas = Parametros(QString(), QString());
    if (!fechas) return;
    periodo.desde = fechas->first;
    periodo.hasta = fechas->second;
  } else {
    const std::optional<int> corte = EligeCorte(p);
    if (!corte) return;
    periodo.corte = QString::number(c.periodo == Periodo::CorteAnterior ? *corte - 1 : *corte);
  }
  if (c.forma == Forma::Concentrado) {
    const int pendiente = ListaRemisionesPendientes(p, periodo);
    if (pendiente == -1) return;
    if (pendiente > 0) {
      if (p.TablaFacturae->Active() && p.TablaFacturae->FindKey({static_cast<qint64>(pendiente)})) p.MuestraDocumento();
      return;
    }
  }
  const QString ruta = Comillas(fs::Une(CarpetaTempo(), kCortePag));
  CerrojoTabla uso(fs::Une(CarpetaTempo(), kCortePag));
  if (!TomaTabla(uso)) return;
  QString guion;
  if (c.forma == Forma::Concentrado) {
    ConcentraPagos(p, periodo);
    guion = Guion({u'$' + caption, QStringLiteral("& Select CONCEPTO,CLIENTE,TOTAL,FECHA from ") + ruta,
                   periodo.corte.isEmpty() ? QStringLiteral("?CONCEPTO=CONCEPTO") : QStringLiteral("? CONCEPTO=CONCEPTO"),
                   QStringLiteral("!CONCEPTO"),
                   QStringLiteral("%c                            c               t            c             "),
                   QStringLiteral("#CONCEPTO                     CLIENTE         IMPORTE      FECHA         "),
                   QStringLiteral("@")});
    EjecutaReporteSQL(caption, QString(), QString(), QString(), QString(), *p.TablaFacturae, guion, 0, QString(),
                      false, u' ');
  } else {
    DetallaPagos(p, periodo);
    const bool sinCredito = c.forma == Forma::SinCredito;
    guion = Guion({u'$' + caption, QStringLiteral("& Select DOCUMENTO,CLIENTE,CONCEPTO,TOTAL,FECHA from ") + ruta,
                   sinCredito ? QStringLiteral("?(DOCUMENTO=DOCUMENTO) and (CONCEPTO<>\"Credito\") ")
                              : QStringLiteral("?DOCUMENTO=DOCUMENTO"),
                   QStringLiteral("!DOCUMENTO,CONCEPTO"),
                   sinCredito ? QStringLiteral("%e          c          c       t            ")
                              : QStringLiteral("%e          c               c                       t            c             "),
                   sinCredito ? QStringLiteral("#DOCUMENTO  CLIENTE    PAGO    IMPORTE      ")
                              : QStringLiteral("#DOCUMENTO  CLIENTE         PAGO                    IMPORTE      FECHA         "),
                   QStringLiteral("@")});
    EjecutaReporteSQL(caption, QStringLiteral("CLDOC_F"), QStringLiteral("FEDOC_F"), QStringLiteral("FEDOC_F"),
                      NumeroActual(p), *p.TablaFacturae, guion, 0, QString(), false, u' ');
  }
  p.MuestraDocumento();
}

void CorteComparativo(TFormaCapturaRapida& p) {
  const QString caption = Caption(p, QStringLiteral("CorteComparativo1"));
  const QString numero = NumeroActual(p);
  const QString encabezado = p.TablaFacturae->NombreTabla();
  const QString lineaTipos = QStringLiteral("%c                       t            t              t             ");
  const QString lineaTitulos = QStringLiteral("#PAGO                    IMPORTE       SUBTOTAL      IMPUESTO      ");
  if (!fs::ExisteArchivo(fs::Une(RutaDatosCorte, kMultiPagos))) {
    // No split payments: the header table itself.
    const QString guion = Guion(
        {u'$' + caption,
         QStringLiteral("& Select PAGOX_F,SUM(IMTOD_F),SUM(SUBTO_F-(SUBTO_F*DECOT_F/100)),SUM(IMIM2_F) from ") +
             Comillas(RutaEncabezado(p)),
         QStringLiteral("?(STATU_F<>\"C\" OR STATU_F IS NULL) \xBF GROUP BY PAGOX_F"), QStringLiteral("!PAGOX_F"),
         lineaTipos, lineaTitulos, QStringLiteral("@")});
    EjecutaReporteSQL(caption + QStringLiteral("   al "), QString(), QStringLiteral("FEDOC_F"), QStringLiteral("FEDOC_F"),
                      numero, *p.TablaFacturae, guion, 0, QString(), true, u' ');
    p.MuestraDocumento();
    return;
  }
  const QString copia = QStringLiteral("tmp_") + encabezado;
  CerrojoTabla uso(fs::Une(CarpetaTempo(), copia));
  if (!TomaTabla(uso)) return;
  try {
    db::Tabla::Borra(CarpetaTempo(), copia);
  } catch (const std::exception&) {
  }
  CopiaEstructuraTemporal(p.TablaFacturae->Carpeta(), encabezado, CarpetaTempo());
  QString primera, ultima;
  {
    db::Tabla t;
    t.SetCarpeta(p.TablaFacturae->Carpeta());
    t.SetNombreTabla(encabezado);
    t.Open();
    t.SetIndexName(QStringLiteral("INUMENC"));
    if (!t.IsEmpty()) {
      t.First();
      primera = t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
      t.Last();
      ultima = t.FieldByName(QStringLiteral("CLDOC_F")).AsString();
    }
  }
  const auto fechas = Parametros(primera, ultima);
  if (!fechas) {
    p.MuestraDocumento();
    return;
  }
  LlenaPagosComparativo(p, fechas->first, fechas->second);
  const QString periodo = QStringLiteral("  ") + Fecha(fechas->first) + QStringLiteral(" al ") + Fecha(fechas->second);
  const QString guion = Guion(
      {u'$' + caption + periodo,
       QStringLiteral("& Select PAGOX_F,SUM(IMTOD_F),SUM(SUBTO_F-(SUBTO_F*DECOT_F/100)*0),SUM(IMIM2_F*0) from ") +
           Comillas(fs::Une(CarpetaTempo(), copia)),
       QStringLiteral("?(STATU_F<>\"C\" OR STATU_F IS NULL) \xBF  GROUP BY PAGOX_F"), QStringLiteral("!PAGOX_F"),
       lineaTipos, lineaTitulos, QStringLiteral("@")});
  EjecutaReporteSQL(caption + periodo, QString(), QString(), QString(), numero, *p.TablaFacturae, guion, 0, QString(),
                    false, u' ');
  p.MuestraDocumento();
}

void ProductoRequerido(TFormaCapturaRapida& p) {
  const QString caption = Caption(p, QStringLiteral("VentasPorFactor1"));
  const auto fechas = Parametros(QString(), QString());
  if (!fechas) return;
  CerrojoTabla uso(fs::Une(CarpetaTempo(), kProductoRequerido));
  if (!TomaTabla(uso)) return;
  GeneraProductoRequerido(p, fechas->first, fechas->second);
  const QString guion =
      Guion({u'$' + caption,
             QStringLiteral("& Select PRODUCTO,DESCRIPCION,CANTIDAD,FACTOR,CAJAS,PROVEEDOR from ") +
                 Comillas(fs::Une(CarpetaTempo(), kProductoRequerido)),
             QStringLiteral("?(DOCUMENTO=DOCUMENTO) AND FACTOR<>0 "), QStringLiteral("!DESCRIPCION"),
             QStringLiteral("%c            c               t               f              t             c                "),
             QStringLiteral("#PRODUCTO     DESCRIPCION     CANTIDAD        FACTOR         CAJAS         PROVEEDOR        "),
             QStringLiteral("@")});
  EjecutaReporteSQL(caption, QStringLiteral("CLDOC_FD"), QStringLiteral("FEDOC_FD"), QStringLiteral("FEDOC_FD"),
                    NumeroActual(p), *p.TablaFacturaD, guion, 0, QString(), true, u' ');
}

}  // namespace

int ListaRemisionesPendientes(TFormaCapturaRapida& p, const PeriodoCorte& periodo) {
  TFormaListaSQL lista(&p);
  QString sql = QStringLiteral("Select CLDOC_F,CLCLI_F,IMTOD_F,FEDOC_F From ") +
                TablaSQL(QStringLiteral("Remision.dbf"));
  if (periodo.corte.isEmpty())
    sql += QStringLiteral(" where STATU_F<>\"C\" AND (PAGOX_F <\"0\") ") + EntreFechas(QStringLiteral("FEDOC_F"), periodo.desde, periodo.hasta);
  else
    sql += QStringLiteral(" where (STATU_F<>\"C\" AND PAGOX_F <\"0\") and  CORTE=") + periodo.corte;
  lista.QueryLista->SetSQL(sql);
  lista.QueryLista->Open();
  if (lista.QueryLista->RecordCount() == 0) return -2;
  lista.ShowModal();
  return lista.Tag() == 0 ? -1 : lista.Tag();
}

void ConcentraPagos(TFormaCapturaRapida& p, const PeriodoCorte& periodo) {
  RehaceTabla(kCortePag,
              QStringLiteral("(FECHA DATE,DOCUMENTO NUMERIC(10,0),TOTAL NUMERIC(10,2),CONCEPTO CHAR(25),CLIENTE CHAR(15))"),
              QStringLiteral("CONCEPTO"));
  QString sql = QStringLiteral("Select CLDOC_F,PAGOX_F,IMTOD_F,IMIM2_F,FEDOC_F,CLCLI_F from ") + Comillas(RutaEncabezado(p)) + u'\r';
  if (periodo.corte.isEmpty())
    sql += QStringLiteral(" where (STATU_F<>\"C\" OR STATU_F IS NULL) and (PAGOX_F=\"Efectivo\" or PAGOX_F=\"Tarjeta\" ) ") +
           EntreFechas(QStringLiteral("FEDOC_F"), periodo.desde, periodo.hasta);
  else
    sql += QStringLiteral(" where  (PAGOX_F=\"Efectivo\" or PAGOX_F=\"Tarjeta\" )  and  CORTE=") + periodo.corte;
  auto documentos = Consulta(sql);
  auto trabajo = AbreTrabajo(CarpetaTempo(), kCortePag, QStringLiteral("CONCEPTO"));
  db::Tabla& t = *trabajo;
  const auto campo = [&t](const char* n) -> db::Campo& { return t.FieldByName(QString::fromLatin1(n)); };
  for (documentos->First(); !documentos->Eof(); documentos->Next()) {
    const QString pago = documentos->FieldByName(QStringLiteral("PAGOX_F")).AsString();
    if (pago != u"Efectivo" && pago != u"Tarjeta") continue;
    const Dinero importe = Importe(documentos->FieldByName(QStringLiteral("IMTOD_F")));
    if (t.FindKey({pago})) {
      t.Edit();
      campo("FECHA").SetAsDate(documentos->FieldByName(QStringLiteral("FEDOC_F")).AsDate());
      campo("CONCEPTO").SetAsString(pago);
      campo("TOTAL").SetAsString((Importe(campo("TOTAL")) + importe).Texto());
    } else {
      t.Append();
      campo("FECHA").SetAsDate(documentos->FieldByName(QStringLiteral("FEDOC_F")).AsDate());
      campo("DOCUMENTO").SetAsString(documentos->FieldByName(QStringLiteral("CLDOC_F")).AsString());
      campo("CONCEPTO").SetAsString(pago);
      campo("TOTAL").SetAsString(importe.Texto());
    }
    t.Post();
  }
  QString cobros = QStringLiteral("Select NUFAC_CC,CONCE_CC,IMCUE_CC,0,FEAPL_CC,CLCLI_CC from ") +
                   TablaSQL(QStringLiteral("CucobrarRemision.dbf")) + u'\r';
  cobros += periodo.corte.isEmpty() ? QStringLiteral(" where (FEAPL_CC=\"") + Fecha(fs::Hoy()) + QStringLiteral("\")")
                                    : QStringLiteral(" where  CORTE=") + periodo.corte;
  auto movimientos = Consulta(cobros);
  for (movimientos->First(); !movimientos->Eof(); movimientos->Next()) {
    const QString concepto = QStringLiteral("CxC ") + movimientos->FieldByName(QStringLiteral("CONCE_CC")).AsString();
    const Dinero importe = Importe(movimientos->FieldByName(QStringLiteral("IMCUE_CC")));
    const QString cliente = movimientos->FieldByName(QStringLiteral("CLCLI_CC")).AsString();
    if (t.FindKey({concepto})) {
      t.Edit();
      campo("CONCEPTO").SetAsString(concepto);
      campo("TOTAL").SetAsString((Importe(campo("TOTAL")) + importe).Texto());
      campo("CLIENTE").SetAsString(cliente);
    } else {
      t.Append();
      campo("FECHA").SetAsDate(movimientos->FieldByName(QStringLiteral("FEAPL_CC")).AsDate());
      campo("DOCUMENTO").SetAsString(movimientos->FieldByName(QStringLiteral("NUFAC_CC")).AsString());
      campo("CONCEPTO").SetAsString(concepto);
      campo("TOTAL").SetAsString(importe.Texto());
      campo("CLIENTE").SetAsString(cliente);
    }
    t.Post();
  }
  t.Close();
}

void DetallaPagos(TFormaCapturaRapida& p, const PeriodoCorte& periodo) {
  RehaceTabla(kCortePag,
              QStringLiteral("(FECHA DATE,DOCUMENTO NUMERIC(10,0),TOTAL NUMERIC(10,2),CONCEPTO CHAR(18),CLIENTE CHAR(25))"),
              QString());
  QString sql = QStringLiteral("Select CLDOC_F,PAGOX_F,IMTOD_F,IMIM2_F,FEDOC_F,CLCLI_F,NOMBR_F from ") +
                Comillas(RutaEncabezado(p)) + u'\r';
  if (periodo.corte.isEmpty())
    sql += QStringLiteral(" where (STATU_F<>\"C\" OR STATU_F IS NULL)") +
           EntreFechas(QStringLiteral("FEDOC_F"), periodo.desde, periodo.hasta);
  else
    sql += QStringLiteral(" Where (PAGOX_F=\"Efectivo\" or PAGOX_F=\"Tarjeta\" ) and  CORTE=\"") + periodo.corte + u'"';
  auto documentos = Consulta(sql);
  auto trabajo = AbreTrabajo(CarpetaTempo(), kCortePag, QString());
  db::Tabla& t = *trabajo;
  const auto campo = [&t](const char* n) -> db::Campo& { return t.FieldByName(QString::fromLatin1(n)); };
  for (documentos->First(); !documentos->Eof(); documentos->Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return documentos->FieldByName(QString::fromLatin1(n)); };
    t.Append();
    campo("FECHA").SetAsDate(de("FEDOC_F").AsDate());
    campo("DOCUMENTO").SetAsString(de("CLDOC_F").AsString());
    campo("CONCEPTO").SetAsString(de("PAGOX_F").AsString());
    campo("TOTAL").SetAsString(Importe(de("IMTOD_F")).Texto());
    campo("CLIENTE").SetAsString(de("NOMBR_F").AsString());
    t.Post();
  }
  QString cobros = QStringLiteral("Select NUFAC_CC,CONCE_CC,IMCUE_CC,0,FEAPL_CC,CLCLI_CC,NOMBR_CC from ") +
                   TablaSQL(QStringLiteral("CucobrarRemision.dbf")) + u'\r';
  cobros += periodo.corte.isEmpty() ? QStringLiteral(" where (FEAPL_CC=\"") + Fecha(fs::Hoy()) + QStringLiteral("\")")
                                    : QStringLiteral(" where CORTE=\"") + periodo.corte + u'"';
  auto movimientos = Consulta(cobros);
  for (movimientos->First(); !movimientos->Eof(); movimientos->Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return movimientos->FieldByName(QString::fromLatin1(n)); };
    t.Append();
    campo("FECHA").SetAsDate(de("FEAPL_CC").AsDate());
    campo("DOCUMENTO").SetAsString(de("NUFAC_CC").AsString());
    campo("CONCEPTO").SetAsString(QStringLiteral("CxC ") + de("CONCE_CC").AsString());
    campo("TOTAL").SetAsString(Importe(de("IMCUE_CC")).Texto());
    campo("CLIENTE").SetAsString(de("NOMBR_CC").AsString());
    t.Post();
  }
  t.Close();
}

bool CopiaEstructuraTemporal(const QString& origen, const QString& archivo, const QString& destino) {
  const QString nombre = archivo.toLower();
  static const QStringList kCompras = {QStringLiteral("comprase.dbf"), QStringLiteral("ordencom.dbf"),
                                       QStringLiteral("devolcom.dbf")};
  try {
    db::Tabla modelo;
    modelo.SetCarpeta(origen);
    modelo.SetNombreTabla(archivo);
    modelo.Open();
    modelo.SetIndexName(kCompras.contains(nombre) ? QStringLiteral("ICOMENC") : QStringLiteral("INUMENC"));
    db::Tabla::CreaComo(destino, QStringLiteral("tmp_") + archivo, modelo);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void LlenaPagosComparativo(TFormaCapturaRapida& p, const QDate& desde, const QDate& hasta) {
  auto copia = AbreTrabajo(CarpetaTempo(), QStringLiteral("tmp_") + p.TablaFacturae->NombreTabla(), QStringLiteral("INUMENC"));
  auto partes = AbreTrabajo(RutaDatosCorte, kMultiPagos, QStringLiteral("CLDOC_F"));
  auto documentos = Consulta(
      QStringLiteral(" Select CLDOC_F,CONTROL,PAGOX_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100) AS SUBTO_F,IMIM2_F,FEDOC_F from ") +
      Comillas(RutaEncabezado(p)) + u'\r' + QStringLiteral(" Where (STATU_F<>\"C\" OR STATU_F IS NULL) ") +
      EntreFechas(QStringLiteral("FEDOC_F"), desde, hasta));
  db::Tabla& t = *copia;
  const auto campo = [&t](const char* n) -> db::Campo& { return t.FieldByName(QString::fromLatin1(n)); };
  for (documentos->First(); !documentos->Eof(); documentos->Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return documentos->FieldByName(QString::fromLatin1(n)); };
    const QString numero = de("CLDOC_F").AsString();
    const qint64 control = de("CONTROL").AsInteger();
    partes->SetRange({numero}, {numero});
    bool conPartes = false;
    for (partes->First(); !partes->Eof(); partes->Next()) {
      if (partes->FieldByName(QStringLiteral("CONTROL")).AsInteger() != control) continue;
      conPartes = true;
      const QString monto = Importe(partes->FieldByName(QStringLiteral("MONTO_F"))).Texto();
      t.Append();
      campo("CLDOC_F").SetAsString(numero);
      campo("CONTROL").SetAsInteger(control);
      campo("PAGOX_F").SetAsString(partes->FieldByName(QStringLiteral("PAGOX_F")).AsString());
      campo("FEDOC_F").SetAsDate(partes->FieldByName(QStringLiteral("FEDOC_F")).AsDate());
      campo("IMTOD_F").SetAsString(monto);
      campo("SUBTO_F").SetAsString(monto);
      campo("IMIM2_F").SetAsString(monto);
      t.Post();
    }
    if (conPartes) continue;
    t.Append();
    campo("CLDOC_F").SetAsString(numero);
    campo("CONTROL").SetAsInteger(control);
    campo("PAGOX_F").SetAsString(de("PAGOX_F").AsString());
    campo("FEDOC_F").SetAsDate(de("FEDOC_F").AsDate());
    campo("IMTOD_F").SetAsString(Importe(de("IMTOD_F")).Texto());
    campo("SUBTO_F").SetAsString(Importe(de("SUBTO_F")).Texto());
    campo("IMIM2_F").SetAsString(Importe(de("IMIM2_F")).Texto());
    t.Post();
  }
  t.Close();
}

double CajasRequeridas(double cantidad, double factor) {
  if (factor <= 0) return 0;
  const double q = cantidad / factor;
  const double entero = std::trunc(q);
  const double cuartos = RealDeDecimal(Redondeado(DecimalDeReal((q - entero) * 4), 0, Mitades::AlPar)).value_or(0);
  return entero + cuartos * 0.25;
}

void GeneraProductoRequerido(TFormaCapturaRapida& p, const QDate& desde, const QDate& hasta) {
  RehaceTabla(kProductoRequerido,
              QStringLiteral("(DOCUMENTO NUMERIC(10,0),PRODUCTO CHAR(20),DESCRIPCION CHAR(50),CANTIDAD NUMERIC(12,3),"
                             "FACTOR NUMERIC(12,3),CAJAS NUMERIC(12,3),PROVEEDOR CHAR(15),FEDOC_FD  CHAR(15) )"),
              QStringLiteral("PRODUCTO"));
  auto lineas = Consulta(
      QStringLiteral("Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,FPGCX_FD,(FPGCX_FD) AS CAJAS,CLPRO_FD,FEDOC_FD from ") +
      TablaSQL(p.TablaFacturaD->NombreTabla()) + u'\r' +
      QStringLiteral(" where (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) ") + EntreFechas(QStringLiteral("FEDOC_FD"), desde, hasta));
  auto trabajo = AbreTrabajo(CarpetaTempo(), kProductoRequerido, QStringLiteral("producto"));
  const QString inventario = QStringLiteral("INVENTAR.DBF");
  auto productos = AbreTrabajo(CarpetaDeTabla(inventario), inventario, QStringLiteral("ICLPRO"));
  db::Tabla& t = *trabajo;
  const auto campo = [&t](const char* n) -> db::Campo& { return t.FieldByName(QString::fromLatin1(n)); };
  for (lineas->First(); !lineas->Eof(); lineas->Next()) {
    const auto de = [&](const char* n) -> db::Campo& { return lineas->FieldByName(QString::fromLatin1(n)); };
    const QString clave = de("CLPRO_FD").AsString();
    const bool hay = t.FindKey({clave});
    const double cantidad = de("CANTI_FD").AsFloat();
    if (hay) {
      t.Edit();
      campo("CANTIDAD").SetAsFloat(campo("CANTIDAD").AsFloat() + cantidad);
    } else {
      t.Append();
      campo("CANTIDAD").SetAsFloat(cantidad);
    }
    campo("DOCUMENTO").SetAsString(de("CLDOC_FD").AsString());
    campo("PRODUCTO").SetAsString(clave);
    campo("DESCRIPCION").SetAsString(de("DEPRO_FD").AsString());
    campo("FACTOR").SetAsFloat(de("FPGCX_FD").AsFloat());
    campo("CAJAS").SetAsFloat(de("CAJAS").AsFloat());
    if (productos->FindKey({clave})) {
      campo("PROVEEDOR").SetAsString(productos->FieldByName(QStringLiteral("CLPR1_I")).AsString());
      campo("FACTOR").SetAsFloat(productos->FieldByName(QStringLiteral("FPGCC_I")).AsFloat());
    }
    campo("FEDOC_FD").SetAsString(de("FEDOC_FD").AsString());
    t.Post();
  }
  for (t.First(); !t.Eof(); t.Next()) {
    const double cajas = CajasRequeridas(campo("CANTIDAD").AsFloat(), campo("FACTOR").AsFloat());
    t.Edit();
    campo("CAJAS").SetAsString(TextoFijo(DecimalDeReal(cajas), 2));
    t.Post();
  }
  t.Close();
}

bool EjecutaCortePagado(TFormaCapturaRapida& p, const QString& clave) {
  for (const CortePagado& c : kCortes) {
    if (clave == QLatin1String(c.clave)) {
      CorreCortePagado(p, c);
      return true;
    }
  }
  if (clave == u"CorteComparativo1") {
    CorteComparativo(p);
    return true;
  }
  if (clave == u"VentasPorFactor1") {
    ProductoRequerido(p);
    return true;
  }
  return false;
}

void InstalaCortesPagados(TFormaCapturaRapida& p) {
  QStringList claves{QStringLiteral("CorteComparativo1"), QStringLiteral("VentasPorFactor1")};
  for (const CortePagado& c : kCortes) claves << QLatin1String(c.clave);
  for (const QString& clave : claves) {
    if (QAction* a = p.MainMenu1->findChild<QAction*>(clave))
      p.AsignaComando(a, [&p, clave] { ui::Protege([&] { EjecutaCortePagado(p, clave); }); });
  }
}
