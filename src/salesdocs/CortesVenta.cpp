#include "salesdocs/CortesVenta.h"

#include "foundation/rutinas_fecha.h"

#include <algorithm>
#include <optional>

namespace {

// A section of "Corte Z": name (after the caption), query, conditions,
// order, kinds and titles.
struct SeccionZ {
  const char* nombre;
  const char* consulta;
  const char* condicion;
  const char* orden;
  const char* tipos;
  const char* titulos;
};

// "Corte Z", section by section. "¿" is U+00BF.
const SeccionZ kCorteZ[] = {
    {R"~()~",
     R"~(& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),IEPS1_F,EXENT_F,IEPS2_F,IVAX1_F,IEPS3_F,IVAX2_F from [HF]remision.dbf)~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL)AND (REMIS_F ="") ¿)~", R"~(!cldoc_f)~",
     R"~(%e           c            t             t             t             c            t            t            t             t           t           t           t            t        )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        DESCUENTO    DESCUENTO_G  IEPS          et          et          et          et           et        )~"},
    {R"~( FACTURADAS DESDE REMISION)~",
     R"~(& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,IEPS1_F from [HF]remision.dbf)~",
     R"~(?((STATU_F<>"C" OR STATU_F IS NULL)AND REMIS_F>" ") ¿ )~", R"~(!cldoc_f)~",
     R"~(%e           c            t             t             t             c          t       t             t           )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA      FPGC    DESCUENTO_G   IEPS        )~"},
    {R"~( FACTURADAS DIRECTAMENTE )~",
     R"~(& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0 from [DF]FACTURAE.dbf)~",
     R"~(?((STATU_F<>"C" OR STATU_F IS NULL)AND CLPED_F IS NULL) ¿ )~", R"~(!cldoc_f)~",
     R"~(%e           c        t           t           t           c              t            t            t        )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC    DESCUENTO_G  IEPS     )~"},
    {R"~( CANCELADAS )~",
     R"~(& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F*0,FPGCX_F*0,IEPS1_F from [HF]remision.dbf)~",
     R"~(?(STATU_F="C") ¿)~", R"~(!cldoc_f)~",
     R"~(%e           c        t           t           t           c             t           t             t           )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   DESCUENTO_G  IEPS        )~"},
    {R"~( DEVOLUCIONES )~",
     R"~(& Select cldoc_f,CLCLI_F,imtod_f*0,SUBTO_F*0,IMIM2_F*0,FEDOC_F,FPGCX_F*0,FPGCX_F*0,FPGCX_F*0 from [DF]devoluc.dbf)~",
     R"~(?(STATU_F<>"C" OR STATU_F IS NULL) ¿)~", R"~(!cldoc_f)~",
     R"~(%e           c        t           t           t           c             t           t            t        )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA     FPGC   DESCUENTO_G  _       )~"},
    {R"~( RETIROS )~",
     R"~(& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from [HF]retiros.dbf)~",
     R"~(? (NUM_CONCEP<=1 AND CLDOC_F=CLDOC_F)¿)~", R"~(!CLDOC_F)~",
     R"~(%e           c            t           t           t           c                  t       t       t         )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        _        _      _         )~"},
    {R"~( ENTRADAS )~",
     R"~(& Select CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,NUM_CONCEP*0 from [HF]retiros.dbf)~",
     R"~(? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)¿)~", R"~(!CLDOC_F)~",
     R"~(%e           c            t           t           t           c                  t       t       t       )~",
     R"~(#DOCUMENTOS  CLAVE        IMPORTE       SUBTOTAL      IMPUESTO      FECHA        _        _      _       )~"},
};

const QVector<CorteVenta> kCortes = {
    {"CorteZ1", "Corte Z", 1, true, TituloCorte::Completo},
    {"CorteZRESUMEN1", "Corte Z (RESUMEN)", 2, true, TituloCorte::Pantalla},
    {"CorteZZUV1", "Corte Z ZUV", 1, false, TituloCorte::Completo},
    {"CorteZRESUMENZUV1", "Corte Z (RESUMEN) ZUV", 4, false, TituloCorte::Completo},
    {"CorteZporTurno1", "Corte Z por Turno", 1, false, TituloCorte::SinFecha},
    {"CortesSeparados1", "Cortes Separados", 1, false, TituloCorte::SinFecha},
    {"CorteZconCxC1", "Corte Z con CxC", 3, false, TituloCorte::Abonos},
    {"CortedeCajayRetiros1", "Corte Z por Tipo de Pagos", 1, false, TituloCorte::Completo},
    {"VentasTotales1", "*Ventas Totales", 2, false, TituloCorte::PantallaSinFecha},
    // Open remissions, today's receivable payments, withdrawals, entries:
    // the summary takes the last two as its withdrawals and entries.
    {"CorteconCxC1", "Corte con CxC", 1, false, TituloCorte::Completo, {1, 2, 0, 0, 0, 3, 4}},
};

QString U(const char* s) { return QString::fromUtf8(s); }

// What a section of a cut changes of the "Corte Z" section it is made from.
struct Cambio {
  int modelo = 1;                    // the "Corte Z" section (1 to 7)
  std::optional<QString> nombre;     // the section name after the caption
  std::optional<QString> columnas;   // the select list
  std::optional<QString> fuente;     // what follows " from "
  bool dosBlancos = false;           // "  from " in place of " from "
  std::optional<QString> consulta;   // the whole "&" line
  std::optional<QString> condicion;  // the whole "?" line
  std::optional<QString> orden;
  std::optional<QString> corte;
  QStringList tipos;    // empty: the model's "%" line
  QStringList titulos;  // empty: the model's "#" line

  Cambio& Nombre(const QString& v) { return nombre = v, *this; }
  Cambio& Columnas(const QString& v) { return columnas = v, *this; }
  Cambio& Fuente(const QString& v) { return fuente = v, *this; }
  Cambio& DosBlancos(bool v) { return dosBlancos = v, *this; }
  Cambio& Consulta(const QString& v) { return consulta = v, *this; }
  Cambio& Condicion(const QString& v) { return condicion = v, *this; }
  Cambio& Orden(const QString& v) { return orden = v, *this; }
  Cambio& Corte(const QString& v) { return corte = v, *this; }
  Cambio& Tipos(const QStringList& v) { return tipos = v, *this; }
  Cambio& Titulos(const QStringList& v) { return titulos = v, *this; }
};

Cambio M(int modelo) {
  Cambio c;
  c.modelo = modelo;
  return c;
}

QStringList Lista(const char* texto) { return U(texto).split(u' ', Qt::SkipEmptyParts); }
QStringList Titulos(std::initializer_list<const char*> titulos) {
  QStringList l;
  for (const char* t : titulos) l << U(t);
  return l;
}
QString Repite(const char* pieza, int veces) {
  QString s;
  for (int i = 0; i < veces; ++i) s += U(pieza);
  return s;
}

// The part of a "Corte Z" query after " from ".
QString FuenteZ(int modelo) {
  const QString consulta = U(kCorteZ[modelo - 1].consulta);
  return consulta.mid(consulta.indexOf(QStringLiteral(" from ")) + 6);
}

SeccionGuion Construye(const Cambio& c) {
  const SeccionZ& z = kCorteZ[c.modelo - 1];
  SeccionGuion s;
  s.titulo = c.nombre ? *c.nombre : U(z.nombre);  // completed by the caller
  if (c.consulta) {
    s.consulta = *c.consulta;
  } else if (c.columnas || c.fuente) {
    const QString consulta = U(z.consulta);
    const QString columnas = c.columnas ? *c.columnas : consulta.mid(9, consulta.indexOf(QStringLiteral(" from ")) - 9);
    s.consulta = QStringLiteral("& Select ") + columnas +
                 (c.dosBlancos ? QStringLiteral("  from ") : QStringLiteral(" from ")) +
                 (c.fuente ? *c.fuente : FuenteZ(c.modelo));
  } else {
    s.consulta = U(z.consulta);
  }
  s.condicion = c.condicion ? *c.condicion : U(z.condicion);
  s.orden = c.orden ? *c.orden : U(z.orden);
  if (c.corte) s.corte = *c.corte;
  s.tipos = c.tipos.isEmpty() ? U(z.tipos) : LineaEnColumnas(U(z.tipos), c.tipos);
  s.titulos = c.titulos.isEmpty() ? U(z.titulos) : LineaEnColumnas(U(z.titulos), c.titulos);
  return s;
}

// The fixed condition of a "Corte Z" section without its "?".
QString CondicionZ(int modelo) { return U(kCorteZ[modelo - 1].condicion).mid(1); }

const char* const kColumnasRetiros =
    "CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0";
const char* const kColumnasFpgc = "cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0";

QVector<Cambio> CambiosCorte(const QString& clave, const ContextoReporte& x) {
  const QStringList base = Titulos({"DOCUMENTOS", "CLAVE", "IMPORTE", "SUBTOTAL", "IMPUESTO", "FECHA"});
  const auto mas = [&base](std::initializer_list<const char*> resto) { return base + Titulos(resto); };
  QVector<Cambio> c;
  if (clave == u"CorteZ1") {
    for (int i = 1; i <= 7; ++i) c.append(M(i));
  } else if (clave == u"CorteZRESUMEN1") {
    const QStringList t1 = mas({"DESCUENTO", "DESCUENTO_g"});
    const QStringList t3 = mas({"FPGC", "DESCUENTO_g"});
    const QString fpgc6 = Repite(",FPGCX_F*0", 6);
    c.append(M(1).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),IEPS1_F,"
                             "EXENT_F,IEPS2_F,IVAX1_F,IEPS3_F,IVAX2_F"))
                 .Tipos(Lista("e c t t t c t t t t t t t"))
                 .Titulos(t1));
    c.append(M(2).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,IEPS1_F,EXENT_F,IEPS2_F,IVAX1_F,"
                             "IEPS3_F,IVAX2_F"))
                 .DosBlancos(true)
                 .Tipos(Lista("e c t t t c t t"))
                 .Titulos(t1));
    for (int i : {3, 4})
      c.append(M(i).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F") + fpgc6).Titulos(t3));
    c.append(M(5).Columnas(U("cldoc_f,CLCLI_F,imtod_f*0,SUBTO_F*0,IMIM2_F*0,FEDOC_F,FPGCX_F") + fpgc6).Titulos(t3));
    const QString retiros =
        U("CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD") + Repite(",NUM_CONCEP*0", 7);
    c.append(M(6).Columnas(retiros).Titulos(mas({"_", "-"})));
    c.append(M(7).Columnas(retiros).Titulos(mas({"_", "_"})));
    c.append(M(1).Nombre(U(" DESCUENTOS REMISION"))
                 .Consulta(U("& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,DECOT_F,FEDOC_F") + Repite(",FPGCX_F*0", 7) +
                           U(" from [HF]remision.dbf"))
                 .Condicion(U("?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") \u00BF "))
                 .Orden(U("!cldoc_f"))
                 .Tipos(Lista("e c t t t c t t"))
                 .Titulos(Titulos(
                     {"DOCUMENTOS", "CLAVE", "IMPORTE", "SUBTOTAL", "DESCUENTO", "FECHA", "FPGC", "DESCUENTO_g"})));
  } else if (clave == u"CorteZZUV1" || clave == u"CorteZRESUMENZUV1") {
    const bool resumen = clave == u"CorteZRESUMENZUV1";
    c.append(
        M(1).Columnas(
                U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),CLCLI_F"))
            .Tipos(Lista("e c t t t c t t"))
            .Titulos(mas({"DESCUENTO", "DESCUENTO_G"})));
    for (int i = 2; i <= 5; ++i) {
      QStringList t = mas({"FPGC", "DESCUENTO_G"});
      if (resumen && (i == 2 || i == 3)) t[3] = QStringLiteral("IMPORTE");
      c.append(M(i).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,CLCLI_F"))
                   .Tipos(Lista("e c t t t c t t"))
                   .Titulos(t));
    }
    if (resumen) {
      const QString columnas =
          U("CLASIFI,CLDOC_F,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,NUM_CONCEP*0,CLASIFI");
      const QStringList t = Titulos({"CLAVE", "DOCUMENTOS", "IMPORTE", "SUBTOTAL", "IMPUESTO", "FECHA", "_", "_"});
      c.append(
          M(6).Columnas(columnas).Orden(U("!CLASIFI")).Corte(U(">CLASIFI")).Tipos(Lista("c c t t t c t t")).Titulos(t));
      c.append(M(7).Columnas(columnas)
                   .Condicion(U("? (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F) \u00BF"))
                   .Orden(U("!CLASIFI"))
                   .Corte(U(">CLASIFI"))
                   .Tipos(Lista("c c t t t c t t"))
                   .Titulos(t));
    } else {
      const QString columnas =
          U("CLDOC_F,CONCEPTO AS CONCE,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP*0,"
            "NUM_CONCEP*0,SUBSTRING(CONCEPTO FROM 1 FOR 3)AS CONCEPTO");
      const QStringList t = Titulos({"DOCUMENTOS", "CLAVE", "IMPORTE", "IMPORTE", "IMPUESTO", "FECHA", "_", "_"});
      c.append(M(6).Columnas(columnas).Orden(U("!CONCEPTO")).Corte(U(">CONCEPTO")).Titulos(t));
      c.append(M(7).Columnas(columnas).Orden(U("!CLDOC_F")).Titulos(t));
    }
  } else if (clave == u"CortedeCajayRetiros1") {
    c.append(
        M(1).Columnas(
                U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),PAGOX_F"))
            .Orden(U("!PAGOX_F,cldoc_f"))
            .Corte(U(">PAGOX_F"))
            .Tipos(Lista("e c t t t c t t c"))
            .Titulos(mas({"DESCUENTO", "DESCUENTO_G", "PAGO"})));
    for (int i = 2; i <= 5; ++i)
      c.append(M(i).Columnas(U(kColumnasFpgc)).Tipos(Lista("e c t t t c t t")).Titulos(mas({"FPGC", "DESCUENTO_G"})));
    for (int i : {6, 7}) c.append(M(i).Columnas(U(kColumnasRetiros)).Titulos(mas({"_", "_"})));
  } else if (clave == u"CorteZporTurno1") {
    c.append(M(1).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F"))
                 .Tipos(Lista("e c t t t c t"))
                 .Titulos(mas({"DESCUENTO"})));
    for (int i = 2; i <= 5; ++i)
      c.append(M(i).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F"))
                   .Tipos(Lista("e c t t t c t"))
                   .Titulos(mas({"FPGC"})));
    for (int i : {6, 7})
      c.append(M(i).Columnas(U("CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP"))
                   .Tipos(Lista("e c t t t c t"))
                   .Titulos(mas({"_"})));
    for (Cambio& k : c) k.condicion = u'?' + x.turno + CondicionZ(k.modelo);
  } else if (clave == u"CortesSeparados1") {
    c.append(
        M(1).Columnas(
                U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100),HORAF_F"))
            .Tipos(Lista("e c t t t c t t"))
            .Titulos(mas({"DESCUENTO", "DESCUENTO_G"})));
    for (int i = 2; i <= 5; ++i)
      c.append(M(i).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0,HORAF_F"))
                   .Titulos(mas({"FPGC", "DESCUENTO_G"})));
    for (int i : {6, 7}) c.append(M(i).Columnas(U(kColumnasRetiros) + U(",HORAF_F")).Titulos(mas({"_", "_"})));
    for (Cambio& k : c) k.condicion = u'?' + x.ventana + QStringLiteral(" and ") + CondicionZ(k.modelo);
    // The open remissions of the window, whatever the dialog says.
    c[0].condicion = u'?' + x.ventana + U(" and (STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F =\"\") ");
  } else if (clave == u"CorteconCxC1") {
    c.append(M(1).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100)"))
                 .Tipos(Lista("e c t t t c t t"))
                 .Titulos(mas({"DESCUENTO", "DESCUENTO_G"})));
    c.append(M(2).Nombre(U(" CUENTAS POR COBRAR REMISIONES "))
                 .Consulta(U("& Select NUFAC_CC,NOMBR_CC,IMCUE_CC,IMCUE_CC,SALDO_CC,FEAPL_CC,TIMOV_CC,TIMOV_CC  from "
                             "[HF]CucobrarRemision.dbf"))
                 .Condicion(U("?(ABONO_CC>0.1)  AND FEAPL_CC='") + FechaSQL(TextoFecha(x.momento.date())) + u'\'')
                 .Orden(U("!NUFAC_CC"))
                 .Tipos(Lista("e c t t t c t t"))
                 .Titulos(mas({"FPGC", "DESCUENTO_G"})));
    for (int i : {6, 7}) c.append(M(i).Columnas(U(kColumnasRetiros)).Titulos(mas({"_", "_"})));
  } else if (clave == u"CorteZconCxC1") {
    const QString abonos = U("NUFAC_CC,CLCLI_CC,IMCUE_CC,IMCUE_CC,IMCUE_CC*0,FEAPL_CC,IMCUE_CC*0,IMCUE_CC*0");
    c.append(M(1).Consulta(U("& Select ") + abonos + U(" from [HF]CucobrarRemision.dbf"))
                 .Condicion(U("? CLCLI_CC=\"1\" \u00C7"))
                 .Orden(U("!NUFAC_CC"))
                 .Tipos(Lista("e c t t t c t t"))
                 .Titulos(Titulos(
                     {"DOCUMENTOS", "CLAVE", "ABONO", "SUBTOTAL", "IMPUESTO", "FECHA", "FPGC", "DESCUENTO_G"})));
    c.append(
        M(2).Nombre(U(" VENTAS ABONOS"))
            .Consulta(U("& Select NUFAC_CC,NOMBR_CC,IMCUE_CC,IMCUE_CC,IMCUE_CC*0,FEAPL_CC,IMCUE_CC*0,IMCUE_CC*0 from "
                        "[HF]CucobrarRemision.dbf"))
            .Condicion(U("? CLCLI_CC<>\"1\" \u00C7"))
            .Orden(U("!NUFAC_CC"))
            .Tipos(Lista("e c t t t c t t"))
            .Titulos(
                Titulos({"DOCUMENTOS", "NOMBRE", "ABONO", "SUBTOTAL", "IMPUESTO", "FECHA", "FPGC", "DESCUENTO_G"})));
    c.append(
        M(3).Nombre(U(" VENTAS SALDOS "))
            .Consulta(
                U("& Select cldoc_f,NOMBR_F,SALDO_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F,FPGCX_F*0 from [DF]REMISION.dbf"))
            .Condicion(U("?((STATU_F<>\"C\" OR STATU_F IS NULL)) AND SALDO_F>0.01 \u00BF "))
            .Orden(U("!cldoc_f"))
            .Titulos(
                Titulos({"DOCUMENTOS", "NOMBRE", "SALDO", "SUBTOTAL", "IMPUESTO", "FECHA", "FPGC", "DESCUENTO_G"})));
    for (int i : {4, 5}) c.append(M(i).Columnas(U(kColumnasFpgc)).Titulos(mas({"FPGC", "DESCUENTO_G"})));
    for (int i : {6, 7}) c.append(M(i).Columnas(U(kColumnasRetiros)).Titulos(mas({"_", "_"})));
  } else if (clave == u"VentasTotales1") {
    c.append(M(1).Consulta(U("& Select cldoc_f,CLCLI_F,imtod_f*(0.7),SUBTO_F*(0.7),IMIM2_F*(0.7),FEDOC_F,DECOT_F from "
                             "[HF]remision.dbf"))
                 .Condicion(U("?((STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F <\"0\") ) \u00BF"))
                 .Tipos(Lista("e c t t t c t"))
                 .Titulos(mas({"DESCUENTO"})));
    c.append(M(2).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F")).Titulos(mas({"DESCUENTO"})));
    for (int i = 3; i <= 5; ++i)
      c.append(M(i).Columnas(U("cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,FPGCX_F")).Titulos(mas({"FPGC"})));
    for (int i : {6, 7})
      c.append(M(i).Columnas(U("CLDOC_F,CONCEPTO,CANTIDAD,CANTIDAD,CANTIDAD,FEDOC_F,CANTIDAD,NUM_CONCEP"))
                   .Fuente(U("[DF]retiros.dbf"))
                   .Titulos(mas({"_"})));
    c.append(M(1).Nombre(U(" DESCUENTOS REMISION"))
                 .Consulta(U("& Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,DECOT_F,FEDOC_F,FPGCX_F from [HF]remision.dbf"))
                 .Condicion(U("?((STATU_F<>\"C\" OR STATU_F IS NULL)AND REMIS_F>\" \") \u00BF "))
                 .Orden(U("!cldoc_f"))
                 .Titulos(Titulos({"DOCUMENTOS", "CLAVE", "IMPORTE", "SUBTOTAL", "DESCUENTO", "FECHA", "FPGC"})));
  }
  return c;
}

QString TituloPrimera(const CorteVenta& corte, const ContextoReporte& x) {
  const QString caption = U(corte.titulo);
  const QString fecha = TextoFecha(x.momento.date());
  const QString hora = TextoHora(x.momento.time());
  switch (corte.forma) {
    case TituloCorte::Completo:
      return u'$' + caption + QStringLiteral("  ") + fecha + QStringLiteral(" REMISIONES ") + x.usuario +
             QStringLiteral(" HORA : ") + hora;
    case TituloCorte::SinFecha:
      return u'$' + caption + QStringLiteral(" REMISIONES ") + x.usuario + QStringLiteral(" HORA : ") + hora;
    case TituloCorte::Pantalla:
      return u'$' + x.tituloPantalla + QStringLiteral("  ") + fecha + QStringLiteral(" REMISIONES ") + x.usuario +
             QStringLiteral("  ") + fecha + QStringLiteral(" HORA : ") + hora;
    case TituloCorte::PantallaSinFecha:
      return u'$' + x.tituloPantalla + QStringLiteral(" REMISIONES ") + x.usuario + QStringLiteral(" HORA : ") + hora;
    case TituloCorte::Abonos:
      return u'$' + caption + QStringLiteral(" VENTAS ABONOS");
  }
  return QString();
}

}  // namespace

QString LineaEnColumnas(const QString& modelo, const QStringList& elementos) {
  // Where each item of the model begins, after its prefix.
  QList<qsizetype> inicios;
  for (qsizetype i = 1; i < modelo.size(); ++i)
    if (modelo[i] != u' ' && (i == 1 || modelo[i - 1] == u' ')) inicios << i;
  QString linea = modelo.left(1);
  for (qsizetype k = 0; k < elementos.size(); ++k) {
    qsizetype ancho = 13;
    if (k + 1 < inicios.size())
      ancho = inicios[k + 1] - inicios[k];
    else if (k + 1 == inicios.size())
      ancho = modelo.size() - inicios[k];
    linea += elementos[k].leftJustified(std::max(ancho, elementos[k].size() + 1), u' ');
  }
  return linea;
}

QString CondicionTurno(bool turno1, bool turno2) {
  if (turno2) return QStringLiteral(" (CLVEN_F=\"02\") AND ");
  if (turno1) return QStringLiteral(" (CLVEN_F=\"01\") AND ");
  return QString();
}

const QVector<CorteVenta>& CortesVenta() { return kCortes; }

const CorteVenta* CorteDeClave(const QString& clave) {
  for (const CorteVenta& c : kCortes)
    if (clave == QLatin1String(c.clave)) return &c;
  return nullptr;
}

QVector<SeccionGuion> SeccionesCorte(const CorteVenta& corte, const ContextoReporte& x) {
  const bool pantalla = corte.forma == TituloCorte::Pantalla || corte.forma == TituloCorte::PantallaSinFecha;
  const QString antes = pantalla ? x.tituloPantalla : U(corte.titulo);
  QVector<SeccionGuion> secciones;
  for (const Cambio& c : CambiosCorte(QLatin1String(corte.clave), x)) {
    SeccionGuion s = Construye(c);
    s.titulo = secciones.isEmpty() ? TituloPrimera(corte, x) : u'$' + antes + s.titulo;
    secciones << s;
  }
  return secciones;
}

ArgumentosReporteVenta ArgumentosDeCorte(const CorteVenta& corte, const ContextoReporte& x) {
  ArgumentosReporteVenta a;
  const QString caption = U(corte.titulo);
  const QString fecha = TextoFecha(x.momento.date());
  switch (corte.forma) {
    case TituloCorte::Completo:
      a.titulo = caption + QStringLiteral("  ") + fecha + QStringLiteral(" VENTAS REMISION ");
      break;
    case TituloCorte::SinFecha:
      a.titulo = caption + QStringLiteral(" VENTAS REMISION ");
      break;
    case TituloCorte::Pantalla:
      a.titulo = x.tituloPantalla + QStringLiteral("  ") + fecha + QStringLiteral(" VENTAS REMISION ");
      break;
    case TituloCorte::PantallaSinFecha:
      a.titulo = x.tituloPantalla + QStringLiteral(" VENTAS REMISION ");
      break;
    case TituloCorte::Abonos:
      a.titulo = caption + QStringLiteral("  ") + fecha + QStringLiteral(" VENTAS CONTADO ");
      break;
  }
  const bool sinClave = corte.forma == TituloCorte::Pantalla || corte.forma == TituloCorte::PantallaSinFecha;
  a.campoClave = sinClave ? QString() : QStringLiteral("CLDOC_F");
  a.fechaDesde = a.fechaHasta = QStringLiteral("FEDOC_F");
  a.claveBusca = x.numeroActual;
  a.datos = DatosReporteVenta::Encabezado;
  a.tipo = corte.tipo;
  a.bloquesResumen = corte.bloquesResumen;
  a.guion = GuionDeSecciones(SeccionesCorte(corte, x), x.lugar, true);
  return a;
}
