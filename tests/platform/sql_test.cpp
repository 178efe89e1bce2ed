// Local SQL over the company tables: statements of the old dialect run
// through db::Consulta over small fixture tables, schema statements, writes
// seen by tables and by other stations, and errors.

#include "db_comun.h"

#include "platform/db/Consulta.h"
#include "platform/db/Literales.h"
#include "platform/db/Orden.h"
#include "platform/db/sql/ModuloTabla.h"
#include "support/Proceso.h"

#include <QFileInfo>

#include <cmath>

using db::Consulta;
using db::DefCampo;
using db::Tabla;
using plat::Clase;

namespace {

// A row as text: fields joined by "|"; numbers of float columns rounded to
// four decimals, null as "".
QString Fila(const db::Dataset& d) {
  QStringList r;
  for (int i = 0; i < d.FieldCount(); ++i) {
    const db::Campo& c = d.Fields(i);
    if (c.IsNull()) {
      r << QString();
    } else if (c.Tipo() == db::TipoDato::Flotante || c.Tipo() == db::TipoDato::Moneda) {
      r << QString::number(std::round(c.AsFloat() * 10000) / 10000, 'g', 15);
    } else {
      r << c.AsString();
    }
  }
  return r.join(u'|');
}

QStringList Filas(db::Dataset& d) {
  QStringList r;
  for (d.First(); !d.Eof(); d.Next()) r << Fila(d);
  return r;
}

QString ConCarpeta(const char* sql) { return QString::fromUtf8(sql).replace(QStringLiteral("{D}"), kDatos); }

QStringList Ejecuta(const QString& sql) {
  Consulta q;
  q.SetSQL(sql);
  q.Open();
  return Filas(q);
}

class PruebaSql : public PruebaTabla {
 protected:
  // A table with rows given as texts per field (dates dd/MM/yyyy, "" null).
  static void Tabla(const QString& archivo, const QVector<DefCampo>& defs, const QList<QStringList>& filas) {
    Tabla::Crea(kDatos, archivo, defs);
    auto t = Abre(archivo);
    for (const QStringList& f : filas) {
      t->Append();
      for (int i = 0; i < f.size(); ++i)
        if (!f[i].isEmpty()) t->Fields(i).SetAsString(f[i]);
      t->Post();
    }
  }

  // The fixture company: document lines, headers, purchases, movements,
  // products, customers, sellers, cash slips, payables and receivables.
  static void CreaEmpresa() {
    Tabla("remisiod.dbf",
          {{"CLDOC_FD", 'N', 10, 0}, {"CLPRO_FD", 'C', 15, 0}, {"DEPRO_FD", 'C', 20, 0}, {"CANTI_FD", 'N', 10, 3},
           {"PREDE_FD", 'N', 10, 2}, {"PUNPR_FD", 'N', 10, 2}, {"COPRO_FD", 'N', 10, 2}, {"TREGI_FD", 'C', 1, 0},
           {"FEDOC_FD", 'D', 8, 0}, {"FECHA", 'N', 10, 0}, {"REFER_FD", 'C', 10, 0}, {"PRECL_OD", 'C', 10, 0},
           {"USUARIO", 'N', 3, 0}},
          {{"100", "A1", "Aceite", "5", "10", "10", "6", "", "01/03/2025", "45717", "R100", "", "1"},
           {"100", "B2", "Bolsa", "2", "4", "4", "1", "", "01/03/2025", "45717", "R100", "", "1"},
           {"101", "A1", "Aceite", "1", "10", "10", "6", "C", "02/03/2025", "45718", "R101", "", "2"},
           {"102", "A1", "Aceite", "3", "10", "9", "6", "", "05/03/2025", "45721", "R102", "", "2"},
           {"102", "C3", "Café Ñandú", "1.5", "20", "20", "12", "", "05/03/2025", "45721", "R102", "", "2"}});
    Tabla("facturad.dbf",
          {{"CLDOC_FD", 'N', 10, 0}, {"CLPRO_FD", 'C', 15, 0}, {"DEPRO_FD", 'C', 20, 0}, {"CANTI_FD", 'N', 10, 3},
           {"PUNPR_FD", 'N', 10, 2}, {"TREGI_FD", 'C', 1, 0}, {"TDOCU_FD", 'C', 1, 0}, {"FEDOC_FD", 'D', 8, 0},
           {"FECHA", 'N', 10, 0}},
          {{"500", "A1", "Aceite", "2", "10", "", "", "03/03/2025", "45719"},
           {"501", "A1", "Aceite", "4", "10", "", "R", "04/03/2025", "45720"},
           {"502", "A1", "Aceite", "7", "10", "C", "", "04/03/2025", "45720"}});
    Tabla("COMPRASD.DBF",
          {{"CLDOC_OD", 'N', 10, 0}, {"CLPRO_OD", 'C', 15, 0}, {"DESCR_OD", 'C', 20, 0}, {"CANTI_OD", 'N', 10, 3},
           {"CUNIT_OD", 'N', 10, 2}, {"TREGI_OD", 'C', 1, 0}, {"FEDOC_OD", 'D', 8, 0}, {"FECHA", 'N', 10, 0},
           {"CADUC_OD", 'C', 10, 0}},
          {{"900", "A1", "Aceite", "12", "6", "", "20/02/2025", "45708", "2025-12"},
           {"901", "A1", "Aceite", "3", "6", "C", "25/02/2025", "45713", "2026-01"},
           {"902", "B2", "Bolsa", "10", "1", "", "26/02/2025", "45714", ""}});
    Tabla("MOVINVEN.DBF",
          {{"CLDOC_MI", 'N', 10, 0}, {"CLPRO_MI", 'C', 15, 0}, {"DESCR_MI", 'C', 20, 0}, {"CANTI_MI", 'N', 10, 3},
           {"COSUN_MI", 'N', 10, 2}, {"PUNIT_MI", 'N', 10, 2}, {"TIMOV_MI", 'N', 3, 0}, {"REFMO_MI", 'C', 10, 0},
           {"FEDOC_MI", 'D', 8, 0}, {"FECHA", 'N', 10, 0}, {"CADUC_MI", 'C', 10, 0}, {"NUDOC_MI", 'C', 15, 0}},
          {{"1", "A1", "Aceite", "3", "6", "9", "56", "AJ", "06/03/2025", "45722", "2025-11", "M1"},
           {"2", "A1", "Aceite", "9", "6", "9", "54", "", "06/03/2025", "45722", "", "M2"},
           {"3", "B2", "Bolsa", "1", "1", "2", "2", "DEV", "28/02/2025", "45716", "", "M3"}});
    Tabla("movimientos.dbf",
          {{"CLDOC_MI", 'C', 15, 0}, {"CONTROL", 'C', 10, 0}, {"STATUS", 'C', 1, 0}, {"CLPRO_MI", 'C', 15, 0},
           {"CANTI_MI", 'N', 10, 3}, {"COSUN_MI", 'N', 10, 2}, {"TIMOV_MI", 'N', 3, 0}, {"FEDOC_MI", 'D', 8, 0}},
          {{"900", "K1", "", "A1", "12", "6", "51", "20/02/2025"},
           {"C901", "K2", "", "A1", "3", "6", "51", "25/02/2025"},
           {"C901", "K3", "", "B2", "5", "1", "51", "25/02/2025"},
           {"R77", "K4", "C", "A1", "1", "6", "51", "26/02/2025"}});
    Tabla("KARDEX.DBF",
          {{"CLPRO_I", 'C', 20, 0}, {"ENTRA_I", 'N', 8, 2}, {"SALID_I", 'N', 8, 2}, {"EXIST_I", 'N', 8, 2},
           {"INVEN_I", 'N', 8, 2}, {"OK", 'C', 1, 0}},
          {{"A1", "15", "-10", "5", "5", ""}, {"B2", "10", "-1", "8", "8", ""}, {"C3", "0", "0", "0", "0", ""}});
    Tabla("INVENTAR.DBF",
          {{"CLPRO_I", 'C', 15, 0}, {"DSCPR_I", 'C', 30, 0}, {"LIPRO_I", 'C', 5, 0}, {"PPUBL_I", 'N', 10, 2},
           {"CLPR1_I", 'C', 10, 0}, {"CLPR2_I", 'C', 10, 0}, {"UEMPA_I", 'N', 6, 0}},
          {{"A1", "Aceite", "ABA", "10", "P1", "", "12"},
           {"B2", "Bolsa", "PAP", "4", "P2", "", "100"},
           {"C3", "Café Ñandú", "ABA", "20", "P1", "P3", "1"},
           {"D4", "aceite de oliva", "ABA", "50", "P1", "", "6"},
           {"E5", "Ébano", "", "1", "", "", "1"},
           {"F6", "Šal", "", "2", "", "", "1"}});
    Tabla("cliente.dbf", {{"CLCLI_C", 'C', 10, 0}, {"NOMBR_C", 'C', 40, 0}},
          {{"7", "Juan Pérez"}, {"8", "Ana López"}, {"9", "O'Brien"}, {"10", "Martínez Ruiz"}, {"11", "GOMEZ"}});
    Tabla("remision.dbf",
          {{"CLDOC_F", 'N', 10, 0}, {"CLCLI_F", 'C', 10, 0}, {"NOMBR_F", 'C', 30, 0}, {"IMTOD_F", 'N', 12, 2},
           {"SUBTO_F", 'N', 12, 2}, {"IMIM2_F", 'N', 12, 2}, {"DECOT_F", 'N', 6, 2}, {"DESFI_F", 'N', 6, 2},
           {"STATU_F", 'C', 1, 0}, {"PAGOX_F", 'C', 20, 0}, {"REMIS_F", 'C', 10, 0}, {"CLPED_F", 'C', 10, 0},
           {"FEDOC_F", 'D', 8, 0}, {"FEVEN_F", 'D', 8, 0}, {"CLVEN_F", 'C', 5, 0}, {"CONTROL", 'C', 10, 0}},
          {{"100", "7", "Juan Pérez", "116", "100", "16", "10", "5", "", "Efectivo", "", "", "01/03/2025", "31/03/2025", "V1", "C100"},
           {"101", "8", "Ana López", "58", "50", "8", "0", "0", "C", "", "", "", "02/03/2025", "02/04/2025", "V2", "C101"},
           {"102", "7", "Juan Pérez", "232", "200", "32", "0", "0", "", "", "F500", "", "05/03/2025", "04/04/2025", "V1", "C102"},
           {"103", "9", "O'Brien", "0.05", "0.05", "0", "0", "0", "", "Tarjeta", "", "P1", "05/03/2025", "05/04/2025", "V2", "C103"}});
    Tabla("Vendedor.dbf", {{"CLVEN_V", 'C', 5, 0}, {"NOMBR_V", 'C', 20, 0}},
          {{"V1", "Pedro"}, {"V2", "Luis"}, {"V3", "Zoe"}});
    Tabla("retiros.dbf",
          {{"CLDOC_F", 'N', 10, 0}, {"CONCEPTO", 'C', 20, 0}, {"CANTIDAD", 'N', 10, 2}, {"FEDOC_F", 'D', 8, 0},
           {"NUM_CONCEP", 'N', 2, 0}},
          {{"1", "Pago luz", "50", "03/03/2025", "1"}, {"2", "Fondo", "200", "01/03/2025", "2"},
           {"3", "Retiro", "30", "05/03/2025", "1"}});
    Tabla("proveedo.dbf",
          {{"CLAVE_P", 'C', 10, 0}, {"NOMBR_P", 'C', 30, 0}, {"CARGO_P", 'N', 12, 2}, {"ABONO_P", 'N', 12, 3},
           {"SALDO_P", 'N', 12, 3}},
          {{"P1", "Aceites SA", "100", "100", "0"}, {"P2", "Bolsas", "500", "200", "300"},
           {"P3", "Café", "10", "9.995", "0.005"}});
    Tabla("COMPRASE.DBF",
          {{"CLPRV_O", 'C', 10, 0}, {"NOMBR_O", 'C', 30, 0}, {"CLDOC_O", 'N', 10, 0}, {"IMDOC_O", 'N', 12, 2},
           {"SALDO_O", 'N', 12, 2}, {"FEDOC_O", 'D', 8, 0}, {"FEPAG_O", 'D', 8, 0}, {"REFER_O", 'C', 10, 0},
           {"STDOC_O", 'C', 1, 0}},
          {{"P2", "Bolsas", "900", "500", "300", "20/02/2025", "28/02/2025", "F-1", ""},
           {"P2", "Bolsas", "901", "100", "100", "25/02/2025", "10/03/2025", "F-2", ""},
           {"P1", "Aceites SA", "902", "80", "80", "01/02/2025", "01/03/2025", "F-3", "C"},
           {"P1", "Aceites SA", "903", "50", "0.05", "01/02/2025", "15/02/2025", "F-4", ""},
           {"P3", "Café", "904", "70", "70", "01/01/2025", "07/03/2025", "", ""}});
    // Lines whose document number is written as text, as the sales lines
    // keep it: canonical, with a leading zero or blank, no number, blank.
    Tabla("notasd.dbf", {{"CLDOC_FD", 'C', 10, 0}, {"CLPRO_FD", 'C', 15, 0}, {"CANTI_FD", 'N', 10, 3}},
          {{"100", "A1", "5"}, {"100", "B2", "2"}, {"101", "A1", "1"}, {"102", "A1", "3"}, {"0102", "C3", "1.5"},
           {" 103", "B2", "4"}, {"X1", "A1", "1"}, {"", "B2", "1"}});
    Tabla("CucobrarRemision.DBF",
          {{"NUFAC_CC", 'N', 10, 0}, {"CLCLI_CC", 'C', 10, 0}, {"CONCE_CC", 'C', 20, 0}, {"IMCUE_CC", 'N', 12, 2},
           {"FEAPL_CC", 'D', 8, 0}},
          {{"102", "7", "Abono", "100", "07/03/2025"}, {"103", "1", "Abono", "0.05", "06/03/2025"},
           {"100", "1", "Abono", "10", "28/02/2025"}});
  }

  void SetUp() override {
    PruebaTabla::SetUp();
    CreaEmpresa();
  }
};

// Acceptance: statements as the windows, reports and utilities write them,
// each with the rows worked out by hand from the fixture above.
struct Caso {
  int numero;
  const char* sql;
  std::vector<const char*> filas;
  bool enOrden;  // false: compared without regard to order
};

const Caso kCasos[] = {
    // Stock recount: remission, invoice, purchase and movement lines of one
    // product, each with its concept encoded in CLDOC_F.
    {1,
     " Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+3)*(-1) AS CLDOC_F,FECHA  AS FECH From "
     "\"{D}\\remisiod.dbf\" WHERE CLPRO_FD=\"A1\"  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL ) "
     "   union ALL Select CLDOC_FD AS CLAVE,CLPRO_FD AS PRO,CANTI_FD,TREGI_FD,(111100+1)*(-1) AS CLDOC_F,FECHA  AS FECH "
     "From \"{D}\\facturad.dbf\" WHERE (TDOCU_FD IS NULL) and (CLPRO_FD=\"A1\")  AND (TREGI_FD<>\"C\" OR TREGI_FD IS NULL) "
     "   union ALL Select CLDOC_OD AS CLAVE,CLPRO_OD AS PRO,CANTI_OD,TREGI_OD,(111100+51)*(-1) AS CLDOC_F,FECHA  AS FECH "
     "From \"{D}\\COMPRASD.dbf\"  WHERE (CLPRO_OD=\"A1\") AND (TREGI_OD<>\"C\" OR TREGI_OD IS NULL) "
     " UNION ALL Select CLDOC_MI  AS CLAVE,CLPRO_MI AS PRO,CANTI_MI,REFMO_MI,(111100+TIMOV_MI)*(-1)  AS CLDOC_F,FECHA  AS "
     "FECH From \"{D}\\MOVINVEN.dbf\"  WHERE CLPRO_MI=\"A1\" and(TIMOV_MI<>\"54\")",
     {"100|A1|5||-111103|45717", "102|A1|3||-111103|45721", "500|A1|2||-111101|45719", "900|A1|12||-111151|45708",
      "1|A1|3|AJ|-111156|45722"},
     false},
    // Movement mirror union, ordered by date and document.
    {2,
     "Select CLPRO_MI,CANTI_MI,COSUN_MI,CLDOC_MI,TIMOV_MI,FEDOC_MI from \"{D}\\movimientos.dbf\"  Where (STATUS<>\"C\" OR "
     "STATUS IS NULL) AND TIMOV_MI>0 and CLPRO_MI=\"A1\"  union  ALL Select CLPRO_MI,CANTI_MI,COSUN_MI,NUDOC_MI,TIMOV_MI,"
     "FEDOC_MI From \"{D}\\MovInven.dbf\" WHERE CLPRO_MI=\"A1\" and(TIMOV_MI<>\"54\" and TIMOV_MI<>\"52\")  order by "
     "FEDOC_MI,CLDOC_MI",
     {"A1|12|6|900|51|20/02/2025", "A1|3|6|C901|51|25/02/2025", "A1|3|6|M1|56|06/03/2025"},
     true},
    {3,
     "SELECT CLPRO_I,ENTRA_I,SALID_I,EXIST_I FROM \"{D}\\KARDEX.DBF\"  WHERE ENTRA_I+SALID_I<>EXIST_I order by CLPRO_I ",
     {"B2|10|-1|8"},
     true},
    // A blank line sorts first.
    {4, "SELECT DISTINCT LIPRO_I FROM \"{D}\\inventar.dbf\" order by LIPRO_I", {"", "ABA", "PAP"}, true},
    // LIKE is case-sensitive.
    {5,
     "SELECT CLPRO_I,DSCPR_I,PPUBL_I FROM \"{D}\\inventar.dbf\" WHERE DSCPR_I LIKE '%ace%' ORDER BY DSCPR_I",
     {"D4|aceite de oliva|50"},
     true},
    // Key order is Windows-1252 byte order: Š (0x8A) before É (0xC9).
    {6,
     "SELECT DSCPR_I FROM \"{D}\\inventar.dbf\" ORDER BY DSCPR_I",
     {"Aceite", "Bolsa", "Café Ñandú", "aceite de oliva", "Šal", "Ébano"},
     true},
    {7,
     "Select CLDOC_OD,CLPRO_OD,DESCR_OD,CANTI_OD,CUNIT_OD,CANTI_OD*CUNIT_OD,'A' from \"{D}\\COMPRASD.DBF\" WHERE "
     "CLPRO_OD='A1'  UNION  Select CLDOC_FD,CLPRO_FD,DEPRO_FD,CANTI_FD,PUNPR_FD,CANTI_FD*PUNPR_FD,'B' from "
     "\"{D}\\FACTURAD.DBF\" WHERE CLPRO_FD='A1'",
     {"900|A1|Aceite|12|6|72|A", "901|A1|Aceite|3|6|18|A", "500|A1|Aceite|2|10|20|B", "501|A1|Aceite|4|10|40|B",
      "502|A1|Aceite|7|10|70|B"},
     false},
    {8,
     "Select C.CLDOC_OD,C.CLPRO_OD,C.DESCR_OD,C.CANTI_OD,C.FEDOC_OD,C.CADUC_OD,I.CLPRO_I from \"{D}\\INVENTAR.dbf\" as "
     "I,\"{D}\\ComprasD.dbf\" as C  where (C.CLPRO_OD=I.CLPRO_I AND I.CLPRO_I=\"A1\")   order by CLDOC_OD",
     {"900|A1|Aceite|12|20/02/2025|2025-12|A1", "901|A1|Aceite|3|25/02/2025|2026-01|A1"},
     true},
    {9,
     "SELECT  CANTI_OD AS CANTI_OD,CADUC_OD AS CADUC_OD,CLDOC_OD AS CLDOC_OD,FEDOC_OD AS FEDOC_OD,(1*51) AS TIMOV_OD,"
     "CLPRO_OD AS CLPRO,DESCR_OD AS PRODUCTO FROM \"{D}\\ComprasD.dbf\"  WHERE CLPRO_OD=\"A1\"  UNION ALL SELECT  CANTI_MI "
     "AS CANTI_OD,CADUC_MI AS CADUC_OD,CLDOC_MI AS CLDOC_OD,FEDOC_MI AS FEDOC_OD,(TIMOV_MI*1) AS TIMOV_OD,CLPRO_MI AS "
     "CLPRO,DESCR_MI AS PRODUCTO FROM \"{D}\\MovInven.dbf\"  WHERE (TIMOV_MI>50 AND CLPRO_MI=\"A1\") order by CADUC_OD ",
     {"9||2|06/03/2025|54|A1|Aceite", "3|2025-11|1|06/03/2025|56|A1|Aceite", "12|2025-12|900|20/02/2025|51|A1|Aceite",
      "3|2026-01|901|25/02/2025|51|A1|Aceite"},
     true},
    // A report block with the runner's key range (quoted numbers).
    {10,
     "Select CLDOC_MI,CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,FEDOC_MI from \"{D}\\Movinven.DBF\"  where (TIMOV_MI>50)  and "
     "(CLDOC_MI>='1' and CLDOC_MI<='2')  order by CLDOC_MI",
     {"1|A1|Aceite|3|6|06/03/2025", "2|A1|Aceite|9|6|06/03/2025"},
     true},
    // Single-quoted m/d/yyyy dates against a date field.
    {11,
     "select CLDOC_MI,CLPRO_MI,DESCR_MI,CANTI_MI,COSUN_MI,PUNIT_MI,FEDOC_MI,TIMOV_MI,FECHA from \"{D}\\Movinven.DBF\" "
     "Where (FEDOC_MI>='3/1/2025' and FEDOC_MI<='3/6/2025')",
     {"1|A1|Aceite|3|6|9|06/03/2025|56|45722", "2|A1|Aceite|9|6|9|06/03/2025|54|45722"},
     false},
    // "<>" with an empty value: LIKE NOT NULL.
    {12, "Select CLDOC_MI from \"{D}\\Movinven.DBF\" where REFMO_MI LIKE NOT NULL", {"1", "3"}, false},
    {13,
     "Select CLCLI_C,NOMBR_C  From \"{D}\\CLIENTE.dbf\" WHERE NOMBR_C LIKE '%ez%' ORDER BY NOMBR_C",
     {"8|Ana López", "7|Juan Pérez", "10|Martínez Ruiz"},
     true},
    {14,
     "Select CLAVE_P,NOMBR_P,CARGO_P,ABONO_P,SALDO_P from \"{D}\\proveedo.dbf\"  where (SALDO_P>0.01)     order by CLAVE_P",
     {"P2|Bolsas|500|200|300"},
     true},
    // A saved view: two tables with identifiers, a date range, a typed
    // condition, the join line.
    {15,
     "Select A.NOMBR_C,B.CLDOC_F,B.IMTOD_F From  \"{D}\\cliente.dbf\" as A,\"{D}\\remision.dbf\" as B  Where "
     "FEDOC_F>='3/1/2025' and FEVEN_F<='3/31/2025' and NOMBR_C = \"Juan Pérez\" and CLCLI_C=CLCLI_F  Order by CLDOC_F ",
     {"Juan Pérez|100|116"},
     true},
    {16,
     "Select CLPRO_FD,DEPRO_FD,SUM(CANTI_FD) AS TOTAL,SUM(CANTI_FD*PREDE_FD) AS IMPORTE from \"{D}\\remisiod.dbf\" WHERE "
     "(TREGI_FD<>\"C\" OR TREGI_FD IS NULL) GROUP BY CLPRO_FD,DEPRO_FD HAVING Count(CANTI_FD) > 1 ORDER BY TOTAL DESC ",
     {"A1|Aceite|8|80"},
     true},
    {17,
     "Select CLVEN_F,SUM(IMTOD_F) from \"{D}\\remision.dbf\"  where  (STATU_F<>\"C\" OR STATU_F IS NULL)    GROUP BY "
     "CLVEN_F  ORDER BY CLVEN_F",
     {"V1|348", "V2|0.05"},
     true},
    {18,
     "Select V.NOMBR_V,Count(*) from \"{D}\\remision.dbf\" As F,  \"{D}\\Vendedor.dbf\" As V  where  "
     "V.CLVEN_V=F.CLVEN_F AND (STATU_F<>\"C\" OR STATU_F IS NULL)    GROUP BY V.NOMBR_V  ORDER BY V.NOMBR_V",
     {"Luis|1", "Pedro|2"},
     true},
    {19,
     "Select CLDOC_F,CONCEPTO,CANTIDAD*(-1),FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from \"{D}\\retiros.dbf\" WHERE (NUM_CONCEP=1 "
     "AND CLDOC_F=CLDOC_F)   UNION Select CLDOC_F,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP,NUM_CONCEP*0 from "
     "\"{D}\\retiros.dbf\"  where  (NUM_CONCEP=2 AND CLDOC_F=CLDOC_F)   order by CLDOC_F",
     {"1|Pago luz|-50|03/03/2025|1|0", "2|Fondo|200|01/03/2025|2|0", "3|Retiro|-30|05/03/2025|1|0"},
     true},
    // Cash cut: remissions not invoiced (REMIS_F = ""), a discount over 100.
    {20,
     "Select cldoc_f,CLCLI_F,imtod_f,SUBTO_F,IMIM2_F,FEDOC_F,DECOT_F,(SUBTO_F+IMIM2_F)*(DESFI_F/100) from "
     "\"{D}\\remision.dbf\"  where (STATU_F<>\"C\" OR STATU_F IS NULL)AND (REMIS_F =\"\")    order by cldoc_f",
     {"100|7|116|100|16|01/03/2025|10|5.8", "103|9|0.05|0.05|0|05/03/2025|0|0"},
     true},
    {21,
     "Select cldoc_f,CLCLI_F,imtod_f from \"{D}\\remision.dbf\"  where ((STATU_F<>\"C\" OR STATU_F IS NULL)AND "
     "REMIS_F>\" \")    order by cldoc_f",
     {"102|7|232"},
     true},
    {22,
     "Select cldoc_f,CLCLI_F from \"{D}\\remision.dbf\"  where ((STATU_F<>\"C\" OR STATU_F IS NULL)AND CLPED_F IS NULL)  "
     "  order by cldoc_f",
     {"100|7", "102|7"},
     true},
    // Unpaid: an empty PAGOX_F sorts before "0"; a date glued to "and".
    {23,
     "Select CLDOC_F,CLCLI_F,IMTOD_F,FEDOC_F From \"{D}\\Remision.dbf\" where STATU_F<>\"C\" AND (PAGOX_F <\"0\") and  "
     "FEDOC_F>=\"3/1/2025\"and  FEDOC_F<=\"3/5/2025\"",
     {"102|7|232|05/03/2025"},
     true},
    {24,
     " Select CLDOC_F,CONTROL,PAGOX_F,IMTOD_F,SUBTO_F-(SUBTO_F*DECOT_F/100) AS SUBTO_F,IMIM2_F,FEDOC_F from "
     "\"{D}\\remision.dbf\"\r Where (STATU_F<>\"C\" OR STATU_F IS NULL) and  FEDOC_F>=\"3/1/2025\"and  FEDOC_F<=\"3/31/2025\"",
     {"100|C100|Efectivo|116|90|16|01/03/2025", "102|C102||232|200|32|05/03/2025",
      "103|C103|Tarjeta|0.05|0.05|0|05/03/2025"},
     false},
    {25,
     "Select PAGOX_F,SUM(IMTOD_F),SUM(SUBTO_F-(SUBTO_F*DECOT_F/100)),SUM(IMIM2_F) from \"{D}\\remision.dbf\"  where "
     "(STATU_F<>\"C\" OR STATU_F IS NULL)  GROUP BY PAGOX_F  order by PAGOX_F",
     {"|232|200|32", "Efectivo|116|90|16", "Tarjeta|0.05|0.05|0"},
     true},
    // Global summary: lines joined with products and their remissions.
    {26,
     " Select F.CLPRO_FD,F.DEPRO_FD,F.CANTI_FD,(F.CANTI_FD*F.PUNPR_FD),(F.CANTI_FD*F.PUNPR_FD)-(F.CANTI_FD*(F.COPRO_FD)),"
     "((F.PUNPR_FD-F.COPRO_FD)/F.PREDE_FD)*100,F.FEDOC_FD,I.CLPR1_I,I.CLPR2_I,I.LIPRO_I,I.UEMPA_I,F.CLDOC_FD,E.CLDOC_F,"
     "E.STATU_F  From \"{D}\\remisiod.dbf\" AS F,\"{D}\\INVENTAR.DBF\" AS I, \"{D}\\REMISION.DBF\" AS E Where "
     "(TREGI_FD<>\"C\" OR TREGI_FD IS NULL)and(F.CLPRO_FD=I.CLPRO_I) and(F.CLDOC_FD=E.CLDOC_F) and (E.STATU_F<>\"C\" OR "
     "E.STATU_F IS NULL)AND FEDOC_FD>=\"3/1/2025\" AND  FEDOC_FD<=\"3/5/2025\"  order by clpro_fd",
     {"A1|Aceite|5|50|20|40|01/03/2025|P1||ABA|12|100|100|", "A1|Aceite|3|27|9|30|05/03/2025|P1||ABA|12|102|102|",
      "B2|Bolsa|2|8|6|75|01/03/2025|P2||PAP|100|100|100|", "C3|Café Ñandú|1.5|30|12|40|05/03/2025|P1|P3|ABA|1|102|102|"},
     false},
    // Overdue payables: today minus the payment date in days.
    {27,
     "Select CLPRV_O,NOMBR_O,CLDOC_O,IMDOC_O,IMDOC_O-SALDO_O,SALDO_O,FEDOC_O,FEPAG_O,REFER_O,(\"3/7/2025\"-FEPAG_O) from "
     "\"{D}\\COMPRASE.DBF\"  where (SALDO_O>0.1 AND (STDOC_O<>\"C\" OR STDOC_O IS NULL)) and(FEPAG_O<=\"3/7/2025\")   order "
     "by CLDOC_O",
     {"P2|Bolsas|900|500|200|300|20/02/2025|28/02/2025|F-1|7", "P3|Café|904|70|0|70|01/01/2025|07/03/2025||0"},
     true},
    // Receivable payments of the counter customer in the dialog's dates.
    {28,
     "Select NUFAC_CC,CLCLI_CC,IMCUE_CC,IMCUE_CC*0,FEAPL_CC from \"{D}\\CucobrarRemision.dbf\"  where  CLCLI_CC=\"1\"  "
     "and  FEAPL_CC>=\"3/1/2025\"and  FEAPL_CC<=\"3/7/2025\"   order by NUFAC_CC",
     {"103|1|0.05|0|06/03/2025"},
     true},
    {29,
     "Select NUFAC_CC,CONCE_CC,IMCUE_CC,0,FEAPL_CC,CLCLI_CC from \"{D}\\CucobrarRemision.dbf\"\r where "
     "(FEAPL_CC=\"3/7/2025\")",
     {"102|Abono|100|0|07/03/2025|7"},
     true},
    {30,
     "Select CLDOC_F,PAGOX_F,SUBTO_F,IMTOD_F,IMIM2_F,FEDOC_F,CLCLI_F,NOMBR_F from \"{D}\\remision.dbf\" where "
     "(STATU_F<>\"C\" OR STATU_F IS NULL) and IMTOD_F<=0.1 and  FEDOC_F>=\"3/5/2025\"and  FEDOC_F<=\"3/5/2025\"",
     {"103|Tarjeta|0.05|0.05|0|05/03/2025|9|O'Brien"},
     true},
    // A document number kept as text joined with one kept as a number: the
    // text is read as a number ("0102" and " 103" are 102 and 103; "X1" and
    // a blank match nothing), in either order, two and three tables.
    {31,
     "Select F.CLDOC_FD,F.CLPRO_FD,E.CLVEN_F From \"{D}\\notasd.dbf\" AS F,\"{D}\\remision.dbf\" AS E Where "
     "F.CLDOC_FD=E.CLDOC_F",
     {"100|A1|V1", "100|B2|V1", "101|A1|V2", "102|A1|V1", "0102|C3|V1", " 103|B2|V2"},
     false},
    {32,
     "Select F.CLDOC_FD,F.CLPRO_FD,E.CLVEN_F From \"{D}\\remision.dbf\" AS E,\"{D}\\notasd.dbf\" AS F Where "
     "E.CLDOC_F=F.CLDOC_FD",
     {"100|A1|V1", "100|B2|V1", "101|A1|V2", "102|A1|V1", "0102|C3|V1", " 103|B2|V2"},
     false},
    {33,
     " Select F.CLDOC_FD,I.DSCPR_I,E.NOMBR_F From \"{D}\\notasd.dbf\" AS F,\"{D}\\INVENTAR.DBF\" AS I, "
     "\"{D}\\REMISION.DBF\" AS E Where (F.CLPRO_FD=I.CLPRO_I) and(F.CLDOC_FD=E.CLDOC_F) and (E.STATU_F<>\"C\" OR "
     "E.STATU_F IS NULL) order by I.DSCPR_I,F.CLDOC_FD",
     {" 103|Bolsa|O'Brien", "0102|Café Ñandú|Juan Pérez", "100|Aceite|Juan Pérez", "100|Bolsa|Juan Pérez",
      "102|Aceite|Juan Pérez"},
     false},
    {34,
     "Select F.CLDOC_FD,I.DSCPR_I,E.NOMBR_F From \"{D}\\REMISION.DBF\" AS E,\"{D}\\INVENTAR.DBF\" AS I, "
     "\"{D}\\notasd.dbf\" AS F Where (E.CLDOC_F=F.CLDOC_FD) and (I.CLPRO_I=F.CLPRO_FD) and (E.STATU_F<>\"C\" OR "
     "E.STATU_F IS NULL)",
     {" 103|Bolsa|O'Brien", "0102|Café Ñandú|Juan Pérez", "100|Aceite|Juan Pérez", "100|Bolsa|Juan Pérez",
      "102|Aceite|Juan Pérez"},
     false},
    // The text column against numbers of every kind.
    {35, "Select CLDOC_FD,CLPRO_FD From \"{D}\\notasd.dbf\" where CLDOC_FD=102", {"102|A1", "0102|C3"}, false},
    {36, "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD>=102", {"102", "0102", " 103"}, false},
    {37, "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD<>100", {"101", "102", "0102", " 103"}, false},
    {38, "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD IN (100,103)", {"100", "100", " 103"}, false},
    {39, "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD BETWEEN 100.5 AND 102", {"101", "102", "0102"}, false},
    {40, "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD=CANTI_FD*33+3", {"102"}, false},
    {41,
     "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD IN (Select CLDOC_F From \"{D}\\remision.dbf\" where "
     "CLVEN_F=\"V1\")",
     {"100", "100", "102", "0102"},
     false},
    {42,
     "Select CLDOC_FD From \"{D}\\notasd.dbf\" where CLDOC_FD=(Select CLDOC_F From \"{D}\\remision.dbf\" where "
     "CLCLI_F=\"9\")",
     {" 103"},
     false},
    // Parts of dates, in the columns, the conditions and the grouping.
    {43,
     "Select CLDOC_F,EXTRACT(YEAR FROM FEDOC_F),EXTRACT(MONTH FROM FEDOC_F),EXTRACT(DAY FROM FEDOC_F) from "
     "\"{D}\\retiros.dbf\" where EXTRACT(DAY FROM FEDOC_F)>2 order by CLDOC_F",
     {"1|2025|3|3", "3|2025|3|5"},
     true},
    {44,
     "Select CLDOC_F from \"{D}\\retiros.dbf\" where EXTRACT(YEAR FROM FEDOC_F)=2025 and EXTRACT(MONTH FROM "
     "FEDOC_F)=3 and EXTRACT(DAY FROM FEDOC_F)=1",
     {"2"},
     true},
    {45,
     "Select EXTRACT(MONTH FROM FEDOC_OD),SUM(CANTI_OD) from \"{D}\\COMPRASD.DBF\" group by EXTRACT(MONTH FROM FEDOC_OD)",
     {"2|25"},
     true},
    {46,
     "Select EXTRACT(DAY FROM \"3/7/2025\"),EXTRACT(month from '12/31/2024') from \"{D}\\retiros.dbf\" where CLDOC_F=1",
     {"7|12"},
     true},
    // Numbers as texts: whole numbers without decimals, fractions without
    // trailing zeros, cut to the width.
    {47,
     "Select CLDOC_F,CAST(CANTIDAD AS CHAR(10)),CAST(CANTIDAD/4 AS CHAR(10)) from \"{D}\\retiros.dbf\" where "
     "CAST(CLDOC_F AS CHAR(10))=\"3\"",
     {"3|30|7.5"},
     true},
    {48, "Select CLPRO_FD from \"{D}\\remisiod.dbf\" where CAST(CANTI_FD AS CHAR(10))='1.5'", {"C3"}, true},
    {49,
     "Select F.CLDOC_FD From \"{D}\\notasd.dbf\" AS F,\"{D}\\remision.dbf\" AS E where CAST(E.CLDOC_F AS CHAR(10))="
     "F.CLDOC_FD",
     {"100", "100", "101", "102"},
     false},
    {50,
     "Select CAST(12345.5 AS CHAR(3)),CAST(0.1*3 AS CHAR(10)),CAST(7 AS CHAR(10)),CAST(CANTIDAD AS CHAR) from "
     "\"{D}\\retiros.dbf\" where CLDOC_F=1",
     {"123|0.3|7|50"},
     true},
};

// The key tags a company has on these tables, so that every case also runs
// with its tags serving its conditions and joins.
void AgregaEtiquetas() {
  const struct {
    const char* tabla;
    std::vector<const char*> campos;
  } etiquetas[] = {
      {"remisiod.dbf", {"CLDOC_FD", "CLPRO_FD"}}, {"notasd.dbf", {"CLDOC_FD", "CLPRO_FD"}},
      {"remision.dbf", {"CLDOC_F", "CLCLI_F"}},   {"INVENTAR.DBF", {"CLPRO_I", "DSCPR_I"}},
      {"cliente.dbf", {"CLCLI_C"}},               {"COMPRASD.DBF", {"CLDOC_OD", "CLPRO_OD"}},
      {"COMPRASE.DBF", {"CLDOC_O"}},              {"MOVINVEN.DBF", {"CLDOC_MI", "CLPRO_MI"}},
      {"movimientos.dbf", {"CLDOC_MI"}},          {"Vendedor.dbf", {"CLVEN_V"}},
      {"KARDEX.DBF", {"CLPRO_I"}},                {"retiros.dbf", {"CLDOC_F", "FEDOC_F"}},
      {"CucobrarRemision.DBF", {"NUFAC_CC"}},
  };
  for (const auto& e : etiquetas) {
    Tabla t;
    t.SetCarpeta(kDatos);
    t.SetNombreTabla(QString::fromLatin1(e.tabla));
    t.SetExclusive(true);
    t.Open();
    for (const char* c : e.campos) t.AddIndex({c, c, false, false});
  }
}

}  // namespace

TEST_F(PruebaSql, InstruccionesDelSistemaDanLasFilasEsperadas) {
  for (const bool conEtiquetas : {false, true}) {
    if (conEtiquetas) AgregaEtiquetas();
    for (const Caso& c : kCasos) {
      SCOPED_TRACE(QStringLiteral("caso %1 %2").arg(c.numero).arg(conEtiquetas ? "con etiquetas" : "sin etiquetas").toStdString());
      QStringList esperadas;
      for (const char* f : c.filas) esperadas << QString::fromUtf8(f);
      QStringList filas;
      try {
        filas = Ejecuta(ConCarpeta(c.sql));
      } catch (const plat::Error& e) {
        ADD_FAILURE() << e.what();
        continue;
      }
      if (!c.enOrden) {
        filas.sort();
        esperadas.sort();
      }
      EXPECT_EQ(filas, esperadas);
    }
  }
}

// --- Other stations: child processes on the same data folder.

// Prints the rows of a table (the listed fields joined by "|"), then "FIN".
RUTINA_HIJA(LeeTabla) {
  Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  t.Open();
  const QStringList campos = argumentos.mid(2);
  for (t.First(); !t.Eof(); t.Next()) {
    QStringList r;
    for (const QString& c : campos) r << t.FieldByName(c).AsString();
    prueba::AvisaPadre(r.join(u'|'));
  }
  prueba::AvisaPadre(QStringLiteral("FIN"));
  return 0;
}

// Holds record n of a table in edit until the parent says so.
RUTINA_HIJA(BloqueaRegistro) {
  Tabla t;
  t.SetCarpeta(argumentos.value(0));
  t.SetNombreTabla(argumentos.value(1));
  t.Open();
  if (!t.VeARegistro(argumentos.value(2).toLongLong())) return 2;
  t.Edit();
  prueba::AvisaPadre(QStringLiteral("BLOQUEADO"));
  prueba::EsperaPadre();
  return 0;
}

namespace {

QStringList LeeEnOtroProceso(const QString& archivo, const QStringList& campos) {
  prueba::ProcesoHijo h(QStringLiteral("LeeTabla"), QStringList{kDatos, archivo} + campos);
  QStringList filas;
  for (QString l = h.EsperaLinea(); !l.isEmpty() && l != u"FIN"; l = h.EsperaLinea()) filas << l;
  EXPECT_EQ(h.Espera(), 0);
  return filas;
}

}  // namespace

// The purchase window's mirror statements: DELETE of a document's rows, and
// UPDATE glued to its table path.
TEST_F(PruebaSql, BorradoYCambioLosVenUnaTablaYOtraEstacion) {
  Consulta q;
  q.SetSQL(ConCarpeta("DELETE FROM \"{D}\\Movimientos.dbf\" WHERE CLDOC_MI=\"C901\" and control=\"K2\""));
  EXPECT_EQ(q.ExecSQL(), 1);
  q.SetSQL(ConCarpeta("UPDATE \"{D}\\Movimientos.dbf\"SET STATUS=\"C\" WHERE CLDOC_MI=\"C901\" and control=\"K3\""));
  q.Open();  // no result: nothing raised
  EXPECT_TRUE(q.Active());
  EXPECT_EQ(q.FieldCount(), 0);
  EXPECT_TRUE(q.IsEmpty());
  q.Close();

  const QStringList esperadas = {"900|K1||12", "C901|K3|C|5", "R77|K4|C|1"};
  auto t = Abre("movimientos.dbf");
  QStringList vistas;
  for (t->First(); !t->Eof(); t->Next())
    vistas << QStringList{t->FieldByName("CLDOC_MI").AsString(), t->FieldByName("CONTROL").AsString(),
                          t->FieldByName("STATUS").AsString(), t->FieldByName("CANTI_MI").AsString()}
                  .join(u'|');
  EXPECT_EQ(vistas, esperadas);
  EXPECT_EQ(LeeEnOtroProceso("movimientos.dbf", {"CLDOC_MI", "CONTROL", "STATUS", "CANTI_MI"}), esperadas);
}

TEST_F(PruebaSql, UnRegistroBloqueadoPorOtraEstacionDetieneElCambio) {
  prueba::ProcesoHijo h(QStringLiteral("BloqueaRegistro"), {kDatos, "movimientos.dbf", "2"});
  ASSERT_EQ(h.EsperaLinea(), "BLOQUEADO");
  const auto [clase, mensaje] = ErrorDe([] {
    Ejecuta(ConCarpeta("UPDATE \"{D}\\movimientos.dbf\" SET STATUS=\"C\" WHERE CLDOC_MI=\"C901\" and CONTROL=\"K2\""));
  });
  EXPECT_EQ(clase, Clase::Bloqueado);
  EXPECT_TRUE(mensaje.contains("movimientos.dbf")) << mensaje.toStdString();
  EXPECT_TRUE(mensaje.contains("UPDATE")) << mensaje.toStdString();
  h.Envia(QString());
  EXPECT_EQ(h.Espera(), 0);
  EXPECT_EQ(LeeEnOtroProceso("movimientos.dbf", {"CONTROL", "STATUS"}), QStringList({"K1|", "K2|", "K3|", "K4|C"}));
}

TEST_F(PruebaSql, AltasPorSqlConFechasYTextosDelDialecto) {
  Consulta q;
  q.SetSQL(ConCarpeta("INSERT INTO \"{D}\\retiros.dbf\" (CLDOC_F,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP) VALUES "
                      "(4,\"Cambio O'Brien\",12.5,\"3/7/2025\",2)"));
  EXPECT_EQ(q.ExecSQL(), 1);
  q.SetSQL(ConCarpeta("INSERT INTO \"{D}\\retiros.dbf\" SELECT CLDOC_F+10,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP FROM "
                      "\"{D}\\retiros.dbf\" WHERE FEDOC_F=\"3/7/2025\""));
  EXPECT_EQ(q.ExecSQL(), 1);
  auto t = Abre("retiros.dbf");
  t->Last();
  EXPECT_EQ(Fila(*t), "14|Cambio O'Brien|12.5|07/03/2025|2");
  t->Prior();
  EXPECT_EQ(Fila(*t), "4|Cambio O'Brien|12.5|07/03/2025|2");
  EXPECT_EQ(t->RecordCount(), 5);
}

// A memo the statement does not touch is not written again.
TEST_F(PruebaSql, UnCambioSoloEscribeLasColumnasQueCambia) {
  Tabla::Crea(kDatos, "NOTAS.DBF", {{"CLAVE", 'C', 5, 0}, {"IMPORTE", 'N', 10, 2}, {"NOTA", 'M', 10, 0}});
  {
    auto t = Abre("NOTAS.DBF");
    t->Append();
    t->FieldByName("CLAVE").SetAsString("A");
    t->FieldByName("IMPORTE").SetAsString("10.25");
    t->FieldByName("NOTA").SetAsString("una nota larga");
    t->Post();
  }
  const QByteArray memos = Bytes("NOTAS.dbt");
  Ejecuta(ConCarpeta("UPDATE \"{D}\\NOTAS.DBF\" SET CLAVE=\"B\" WHERE IMPORTE>10"));
  EXPECT_EQ(Bytes("NOTAS.dbt"), memos);
  EXPECT_EQ(Ejecuta(ConCarpeta("SELECT CLAVE,IMPORTE,NOTA FROM \"{D}\\NOTAS.DBF\"")), QStringList{"B|10.25|una nota larga"});
}

// --- Schema statements.

TEST_F(PruebaSql, CrearTablaDaLosCamposDeclarados) {
  Consulta q;
  q.SetSQL(ConCarpeta("CREATE TABLE \"{D}\\CADUCIDAD.DBF\" (CADUCIDAD DATE,CANTIDAD NUMERIC(10,3),SUMA NUMERIC(10,3),"
                      "DOCUMENTO NUMERIC(10,3),FECHA DATE,MOVIMIENTO NUMERIC(10,0),CLPRO CHAR(18),PRODUCTO CHAR(30),"
                      "CONSEC FLOAT(8,2))"));
  q.Open();  // no result: nothing raised
  EXPECT_EQ(q.FieldCount(), 0);
  auto t = Abre("CADUCIDAD.DBF");
  QStringList defs;
  for (const DefCampo& d : t->Definiciones()) defs << QStringLiteral("%1 %2 %3 %4").arg(d.nombre).arg(d.tipo).arg(d.ancho).arg(d.decimales);
  EXPECT_EQ(defs, QStringList({"CADUCIDAD D 8 0", "CANTIDAD N 10 3", "SUMA N 10 3", "DOCUMENTO N 10 3", "FECHA D 8 0",
                               "MOVIMIENTO N 10 0", "CLPRO C 18 0", "PRODUCTO C 30 0", "CONSEC F 8 2"}));
  EXPECT_TRUE(t->IsEmpty());
  t->Close();

  // An existing table is never replaced by CREATE TABLE.
  const auto [clase, mensaje] = ErrorDe([] { Ejecuta(ConCarpeta("CREATE TABLE \"{D}\\cliente.dbf\" (X CHAR(1))")); });
  EXPECT_EQ(clase, Clase::Sql);
  EXPECT_TRUE(mensaje.contains("ya existe")) << mensaje.toStdString();
  EXPECT_EQ(Ejecuta(ConCarpeta("SELECT COUNT(*) FROM \"{D}\\cliente.dbf\"")), QStringList{"5"});
}

TEST_F(PruebaSql, CrearKardexConLlavePrimariaDaSuIndice) {
  Ejecuta(ConCarpeta("CREATE TABLE \"{D}\\Kardex2.dbf\" (CLPRO_I CHAR(20),ENTRA_I NUMERIC(8,2),SALID_I NUMERIC(8,2),"
                     "EXIST_I NUMERIC(8,2),INVEN_I NUMERIC(8,2),OK CHAR(1),PRIMARY KEY(CLPRO_I))"));
  auto t = Abre("Kardex2.dbf");
  EXPECT_EQ(t->IndexNames(), QStringList{"CLPRO_I"});
  EXPECT_EQ(t->FieldCount(), 6);
}

// The key conversion of the configuration window: the key column goes
// away and comes back empty; every other column keeps its data.
TEST_F(PruebaSql, AlterarTablaConservaLosDemasDatos) {
  Ejecuta(ConCarpeta("ALTER TABLE \"{D}\\cliente.dbf\" DROP CLCLI_C, ADD CLCLI_C CHAR(10)"));
  auto t = Abre("cliente.dbf");
  EXPECT_EQ(t->NombresCampos(), QStringList({"NOMBR_C", "CLCLI_C"}));
  EXPECT_EQ(Filas(*t), QStringList({"Juan Pérez|", "Ana López|", "O'Brien|", "Martínez Ruiz|", "GOMEZ|"}));
  t->Close();
  EXPECT_TRUE(QFileInfo::exists(fs::Local(fs::Une(kDatos, "cliente.dbf"))));
  EXPECT_EQ(fs::ListaCarpeta(kDatos, "_alt*"), QStringList());

  Ejecuta(ConCarpeta("ALTER TABLE \"{D}\\cliente.dbf\" DROP CLCLI_C, ADD CLCLI_C NUMERIC(10,0), ADD PLIS101_I NUMERIC(8,2)"));
  t = Abre("cliente.dbf");
  QStringList defs;
  for (const DefCampo& d : t->Definiciones()) defs << QStringLiteral("%1 %2 %3 %4").arg(d.nombre).arg(d.tipo).arg(d.ancho).arg(d.decimales);
  EXPECT_EQ(defs, QStringList({"NOMBR_C C 40 0", "CLCLI_C N 10 0", "PLIS101_I N 8 2"}));
  EXPECT_EQ(t->RecordCount(), 5);
  t->Close();

  // A statement that fails leaves the table as it was.
  const auto [clase, mensaje] = ErrorDe([] { Ejecuta(ConCarpeta("ALTER TABLE \"{D}\\cliente.dbf\" DROP NOEXISTE")); });
  EXPECT_EQ(clase, Clase::NoExiste);
  EXPECT_TRUE(mensaje.contains("NOEXISTE")) << mensaje.toStdString();
  EXPECT_EQ(Abre("cliente.dbf")->FieldCount(), 3);
}

TEST_F(PruebaSql, AlterarUnaTablaEnUsoNoLaToca) {
  auto otra = Abre("cliente.dbf");
  const auto [clase, mensaje] = ErrorDe([] { Ejecuta(ConCarpeta("ALTER TABLE \"{D}\\cliente.dbf\" ADD X CHAR(2)")); });
  EXPECT_EQ(clase, Clase::EnUso);
  EXPECT_EQ(otra->FieldCount(), 2);
  EXPECT_EQ(fs::ListaCarpeta(kDatos, "_alt*"), QStringList());
}

TEST_F(PruebaSql, BorrarTablaYCrearIndice) {
  Ejecuta(ConCarpeta("DROP TABLE \"{D}\\KARDEX.DBF\""));
  EXPECT_FALSE(Tabla::Existe(kDatos, "KARDEX.DBF"));
  EXPECT_EQ(ErrorDe([] { Ejecuta(ConCarpeta("DROP TABLE \"{D}\\KARDEX.DBF\"")); }).first, Clase::NoExiste);

  Ejecuta(ConCarpeta("CREATE INDEX ICLACLI ON \"{D}\\cliente.dbf\" (CLCLI_C)"));
  auto t = Abre("cliente.dbf");
  EXPECT_EQ(t->IndexNames(), QStringList{"ICLACLI"});
  t->SetIndexName("ICLACLI");
  EXPECT_TRUE(t->FindKey({QString("9")}));
  EXPECT_EQ(t->FieldByName("NOMBR_C").AsString(), "O'Brien");
}

// --- Query results as datasets.

// The runner of saved views makes a work table from the result's columns.
TEST_F(PruebaSql, LasColumnasDelResultadoSirvenParaCrearUnaTablaDeTrabajo) {
  Consulta q;
  q.SetSQL(ConCarpeta("Select B.CLDOC_F,A.NOMBR_C,B.FEDOC_F,B.IMTOD_F*2,COUNT(*),MAX(B.FEDOC_F),B.CLDOC_F AS NUMERO,"
                      "B.CLDOC_F,'x' From \"{D}\\cliente.dbf\" as A,\"{D}\\remision.dbf\" as B Where CLCLI_C=CLCLI_F "
                      "GROUP BY B.CLDOC_F,A.NOMBR_C,B.FEDOC_F,B.IMTOD_F ORDER BY 1"));
  q.Open();
  QStringList defs;
  for (const DefCampo& d : q.Definiciones()) defs << QStringLiteral("%1 %2 %3 %4").arg(d.nombre).arg(d.tipo).arg(d.ancho).arg(d.decimales);
  EXPECT_EQ(defs, QStringList({"CLDOC_F N 10 0", "NOMBR_C C 40 0", "FEDOC_F D 8 0", "EXPR4 N 20 4", "EXPR5 N 10 0",
                               "EXPR6 D 8 0", "NUMERO N 10 0", "CLDOC_F_1 N 10 0", "EXPR9 C 1 0"}));
  EXPECT_EQ(q.RecordCount(), 4);
  EXPECT_EQ(q.FieldByName("FEDOC_F").AsDate(), QDate(2025, 3, 1));
  EXPECT_EQ(q.Fields(4).Tipo(), db::TipoDato::Entero);
  EXPECT_EQ(q.Fields(5).AsDate(), QDate(2025, 3, 1));
  q.Last();
  EXPECT_EQ(q.RecNo(), 4);
  EXPECT_EQ(q.FieldByName("NOMBR_C").AsString(), "O'Brien");

  Tabla::Crea(kDatos, "BaseTempo.dbf", q.Definiciones());
  auto t = Abre("BaseTempo.dbf");
  for (q.First(); !q.Eof(); q.Next()) {
    t->Append();
    for (int i = 0; i < q.FieldCount(); ++i) t->Fields(i).SetValue(q.Fields(i).Value());
    t->Post();
  }
  EXPECT_EQ(Filas(*t), Filas(q));
  EXPECT_EQ(ErrorDe([&] { q.Edit(); }).first, Clase::Estado);
}

TEST_F(PruebaSql, ReglasDelDialecto) {
  const struct {
    const char* sql;
    std::vector<const char*> filas;
  } casos[] = {
      // A quote inside a literal, of either kind.
      {"SELECT CLCLI_C FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C = \"O'Brien\"", {"9"}},
      {"SELECT CLCLI_C FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C = 'O''Brien'", {"9"}},
      {"SELECT CLCLI_C FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C <> \"a \"\"b\"\" 'c'\" AND CLCLI_C='7'", {"7"}},
      // Trailing blanks do not count, as in character fields.
      {"SELECT CLCLI_C FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C = \"GOMEZ   \"", {"11"}},
      // No division truncates; SUBSTRING ... FROM ... FOR; UPPER of accents.
      {"SELECT CLDOC_F/2, (111100+3)/2, 7/2 FROM \"{D}\\retiros.dbf\" WHERE CLDOC_F=1", {"0.5|55551.5|3.5"}},
      {"SELECT SUBSTRING(DSCPR_I FROM 3 FOR 4), UPPER(DSCPR_I) FROM \"{D}\\inventar.dbf\" WHERE CLPRO_I=\"C3\"",
       {"fé Ñ|CAFÉ ÑANDÚ"}},
      // Dates with BETWEEN and IN; a blank date is null.
      {"SELECT CLDOC_F FROM \"{D}\\retiros.dbf\" WHERE FEDOC_F BETWEEN \"3/2/2025\" AND \"03/05/2025\" ORDER BY 1",
       {"1", "3"}},
      {"SELECT CLDOC_F FROM \"{D}\\retiros.dbf\" WHERE FEDOC_F IN ('3/1/2025', \"3/5/2025\") ORDER BY 1", {"2", "3"}},
      {"SELECT COUNT(*) FROM \"{D}\\COMPRASE.DBF\" WHERE STDOC_O IS NOT NULL", {"1"}},
      {"SELECT COUNT(*) FROM \"{D}\\COMPRASE.DBF\" WHERE REFER_O = \"\"", {"1"}},
      // A number compared with a text, a text with a number.
      {"SELECT CLDOC_F FROM \"{D}\\retiros.dbf\" WHERE CLDOC_F = \"2\"", {"2"}},
      {"SELECT NOMBR_C FROM \"{D}\\cliente.dbf\" WHERE CLCLI_C = 10", {"Martínez Ruiz"}},
      // Date minus date both ways, in days.
      {"SELECT FEVEN_F - FEDOC_F, (\"3/31/2025\" - FEDOC_F) FROM \"{D}\\remision.dbf\" WHERE CLDOC_F=100", {"30|30"}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.sql);
    QStringList esperadas;
    for (const char* f : c.filas) esperadas << QString::fromUtf8(f);
    try {
      EXPECT_EQ(Ejecuta(ConCarpeta(c.sql)), esperadas);
    } catch (const plat::Error& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

// A statement that cannot run is an error that carries it, never a crash.
TEST_F(PruebaSql, ErroresLlevanLaInstruccion) {
  const struct {
    const char* sql;
    Clase clase;
    const char* parte;  // part of the message
  } casos[] = {
      {"SELEC * FROM \"{D}\\cliente.dbf\"", Clase::Sql, "no se puede usar"},
      {"SELECT * FRM \"{D}\\cliente.dbf\"", Clase::Sql, "No se pudo ejecutar"},
      {"SELECT NOEXISTE FROM \"{D}\\cliente.dbf\"", Clase::Sql, "NOEXISTE"},
      {"SELECT * FROM \"{D}\\nohay.dbf\"", Clase::NoExiste, "nohay.dbf"},
      {"SELECT * FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C = \"sin cerrar", Clase::Sql, "comilla"},
      {"SELECT * FROM \"{D}\\remision.dbf\" WHERE FEDOC_F >= \"13/45/2025\"", Clase::Sql, "13/45/2025"},
      {"SELECT * FROM \"{D}\\cliente.dbf\"; DELETE FROM \"{D}\\cliente.dbf\"", Clase::Sql, "una instrucción"},
      {"SELECT * FROM \"{D}\\cliente.dbf\" WHERE NOMBR_C = ?", Clase::Sql, "parámetros"},
      {"ATTACH DATABASE 'x.db' AS x", Clase::Sql, "ATTACH"},
      {"CREATE TABLE \"{D}\\nueva.dbf\" (A INTEGER)", Clase::Sql, "INTEGER"},
      {"UPDATE \"{D}\\retiros.dbf\" SET FEDOC_F = 'mañana'", Clase::Conversion, "FEDOC_F"},
      {"UPDATE \"{D}\\retiros.dbf\" SET NUM_CONCEP = 123", Clase::NoCabe, "NUM_CONCEP"},
      {"", Clase::Sql, "ninguna instrucción"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.sql);
    const QString sql = ConCarpeta(c.sql);
    const auto [clase, mensaje] = ErrorDe([&] { Ejecuta(sql); });
    EXPECT_EQ(clase, c.clase) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.contains(QString::fromUtf8(c.parte))) << mensaje.toStdString();
    EXPECT_TRUE(mensaje.endsWith(sql)) << mensaje.toStdString();
  }
  EXPECT_FALSE(Tabla::Existe(kDatos, "nueva.dbf"));
  EXPECT_EQ(Ejecuta(ConCarpeta("SELECT COUNT(*) FROM \"{D}\\cliente.dbf\"")), QStringList{"5"});
}

// --- Parameters.

TEST_F(PruebaSql, LosParametrosLlevanTextoNumeroFechaYNulo) {
  Consulta q;
  q.SetSQL(ConCarpeta("Select CLDOC_F,NOMBR_F,:NADA,(:HOY-FEVEN_F) From \"{D}\\remision.dbf\" where (NOMBR_F=:NOMBRE or "
                      "CLCLI_F=:CLIENTE) and FEDOC_F>=:DESDE and FEDOC_F<=:hasta and FEDOC_F<=:HASTA order by CLDOC_F"));
  QStringList nombres;
  for (int i = 0; i < q.ParamCount(); ++i) nombres << q.Params(i).Nombre();
  EXPECT_EQ(nombres, QStringList({"NADA", "HOY", "NOMBRE", "CLIENTE", "DESDE", "hasta"}));
  q.Params(0).Clear();
  q.ParamByName("HOY").SetAsDate(QDate(2025, 4, 5));
  q.ParamByName("nombre").SetAsString("O'Brien");
  q.ParamByName("CLIENTE").SetAsInteger(7);  // a number against a text column
  q.ParamByName("DESDE").SetAsDate(QDate(2025, 3, 2));
  q.ParamByName("HASTA").SetValue(QDate(2025, 3, 5));
  q.Open();
  EXPECT_EQ(Filas(q), QStringList({"102|Juan Pérez||1", "103|O'Brien||0"}));
  q.ParamByName("CLIENTE").SetAsFloat(8);
  q.Refresh();
  EXPECT_EQ(Filas(q), QStringList({"101|Ana López||3", "103|O'Brien||0"}));
  q.Close();

  q.SetSQL(ConCarpeta("UPDATE \"{D}\\retiros.dbf\" SET CONCEPTO=:C,CANTIDAD=:N,FEDOC_F=:F,NUM_CONCEP=:NULO WHERE "
                      "CLDOC_F=:K"));
  q.ParamByName("C").SetAsString("Pago \"luz\" O'Brien");
  q.ParamByName("N").SetAsFloat(12.5);
  q.ParamByName("F").SetAsDate(QDate(2025, 3, 9));
  q.ParamByName("NULO").Clear();
  q.ParamByName("K").SetAsInteger(1);
  EXPECT_EQ(q.ExecSQL(), 1);
  q.SetSQL(ConCarpeta("INSERT INTO \"{D}\\retiros.dbf\" (CLDOC_F,CONCEPTO,CANTIDAD,FEDOC_F,NUM_CONCEP) VALUES "
                      "(:K,:C,:N,:F,:NULO)"));
  q.ParamByName("K").SetValue(4);
  q.ParamByName("C").SetAsString("Cambio; DELETE");
  q.ParamByName("N").SetValue(0.25);
  q.ParamByName("F").SetAsDate(QDate());  // an invalid date is null
  q.ParamByName("NULO").SetAsInteger(3);
  EXPECT_EQ(q.ExecSQL(), 1);
  EXPECT_EQ(Filas(*Abre("retiros.dbf")), QStringList({"1|Pago \"luz\" O'Brien|12.5|09/03/2025|", "2|Fondo|200|01/03/2025|2",
                                                       "3|Retiro|30|05/03/2025|1", "4|Cambio; DELETE|0.25||3"}));

  // A parameter left without a value stops the statement before it runs.
  q.SetSQL(ConCarpeta("DELETE FROM \"{D}\\retiros.dbf\" WHERE CLDOC_F=:K OR :K IS NULL"));
  const auto [clase, mensaje] = ErrorDe([&] { q.ExecSQL(); });
  EXPECT_EQ(clase, Clase::Sql);
  EXPECT_TRUE(mensaje.contains("parámetros sin valor (:K)")) << mensaje.toStdString();
  EXPECT_TRUE(mensaje.endsWith(q.SQL())) << mensaje.toStdString();
  EXPECT_EQ(Abre("retiros.dbf")->RecordCount(), 4);
  EXPECT_EQ(ErrorDe([&] { q.ParamByName("OTRO"); }).first, Clase::NoExiste);
  EXPECT_EQ(ErrorDe([&] { q.ParamByName("K").SetValue(QTime(10, 0)); }).first, Clase::Conversion);
}

// --- Computed numbers and long field names.

TEST_F(PruebaSql, UnNumeroCalculadoSeLeeEnQuinceCifras) {
  Consulta q;
  q.SetSQL(ConCarpeta("Select 0.1*128,0.1*3,CANTIDAD*1.1,CANTIDAD/3,CANTIDAD From \"{D}\\retiros.dbf\" where CLDOC_F=3"));
  q.Open();
  QStringList textos;
  for (int i = 0; i < q.FieldCount(); ++i) textos << q.Fields(i).AsString();
  EXPECT_EQ(textos, QStringList({"12.8", "0.3", "33", "10", "30"}));
}

TEST_F(PruebaSql, UnNombreLargoDeCampoEsSuFormaDeDiezLetras) {
  Ejecuta(ConCarpeta("CREATE TABLE \"{D}\\AJUSTE.DBF\" (CLAVE CHAR(10),VALOR_TEORICO NUMERIC(10,2),"
                     "VALOR_REALES NUMERIC(10,2),PRIMARY KEY(VALOR_TEORICO))"));
  Ejecuta(ConCarpeta("ALTER TABLE \"{D}\\AJUSTE.DBF\" ADD VALOR_AJUSTE NUMERIC(10,2)"));
  Ejecuta(ConCarpeta("INSERT INTO \"{D}\\AJUSTE.DBF\" (CLAVE,VALOR_TEORICO,VALOR_REALES) VALUES (\"A\",12.5,10)"));
  Ejecuta(ConCarpeta("UPDATE \"{D}\\AJUSTE.DBF\" SET VALOR_AJUSTE=VALOR_TEORICO-VALOR_REALES WHERE VALOR_TEORICO>12"));
  auto t = Abre("AJUSTE.DBF");
  QStringList defs;
  for (const DefCampo& d : t->Definiciones()) defs << QStringLiteral("%1 %2 %3 %4").arg(d.nombre).arg(d.tipo).arg(d.ancho).arg(d.decimales);
  EXPECT_EQ(defs, QStringList({"CLAVE C 10 0", "VALOR_TEOR N 10 2", "VALOR_REAL N 10 2", "VALOR_AJUS N 10 2"}));
  EXPECT_EQ(t->IndexNames(), QStringList{"VALOR_TEOR"});
  t->First();
  EXPECT_EQ(t->FieldByName("VALOR_AJUSTE").AsString(), "2.5");
  t->Close();

  Consulta q;
  q.SetSQL(ConCarpeta("SELECT VALOR_TEORICO,A.VALOR_REALES,VALOR_TEORICO*2 AS VALOR_TEORICO_DOBLE FROM "
                      "\"{D}\\AJUSTE.DBF\" AS A WHERE VALOR_TEORICO=12.5 ORDER BY VALOR_TEORICO"));
  q.Open();
  EXPECT_EQ(Filas(q), QStringList{"12.5|10|25"});
  EXPECT_EQ(q.FieldByName("valor_reales").AsString(), "10");
  EXPECT_EQ(q.FieldByName("VALOR_TEORICO_DOBLE").AsString(), "25");
  // VALOR_TEORICO is no longer one field's: two begin with VALOR_TEOR.
  EXPECT_EQ(q.FindField("VALOR_TEORICO"), nullptr);
  q.Close();
  q.SetSQL(ConCarpeta("SELECT VALOR_TEORICO FROM \"{D}\\AJUSTE.DBF\""));
  q.Open();
  EXPECT_EQ(q.FieldByName("VALOR_TEORICO").AsString(), "12.5");
  q.Close();

  const auto [clase, mensaje] =
      ErrorDe([] { Ejecuta(ConCarpeta("CREATE TABLE \"{D}\\OTRA.DBF\" (VALOR_TEORICO CHAR(2),VALOR_TEORIA CHAR(2))")); });
  EXPECT_EQ(clase, Clase::NoCabe);
  EXPECT_TRUE(mensaje.contains("VALOR_TEOR")) << mensaje.toStdString();
  EXPECT_FALSE(Tabla::Existe(kDatos, "OTRA.DBF"));
}

// --- User text in statements and filters.

// Texts typed by a user, each spliced through the literal routines into an
// equality and a LIKE of either quote, find the one row holding it and run
// nothing else.
TEST_F(PruebaSql, UnTextoDelUsuarioEsSoloUnValor) {
  const QStringList textos = {"O'Hara",
                              "2\" OR \"1\"=\"1",
                              "%' UNION SELECT CLAVE_P FROM \"" + kDatos + "\\proveedo.dbf\" --",
                              "50%",
                              "Café \"El Güero\" €",
                              "A_B",
                              "C:\\5_%x"};
  const QStringList senuelos = {"O Hara",        "2",   "50",     "500",      "50 por ciento",
                                "Café El Güero", "AXB", "C:5_%x", "C:\\5X%x", "C:\\5_Xx"};
  QList<QStringList> filas;
  for (int i = 0; i < textos.size(); ++i) filas << QStringList{QString::number(i), textos[i]};
  for (int i = 0; i < senuelos.size(); ++i) filas << QStringList{QString::number(textos.size() + i), senuelos[i]};
  Tabla("textos.dbf", {{"CLAVE", 'C', 2, 0}, {"TEXTO", 'C', 70, 0}}, filas);

  const std::pair<const char*, QString (*)(const QString&)> estilos[] = {{"comillas", db::LiteralComillas},
                                                                          {"apóstrofos", db::LiteralApostrofos}};
  const QString base = ConCarpeta("Select CLAVE From \"{D}\\textos.dbf\" Where TEXTO ");
  for (int i = 0; i < textos.size(); ++i) {
    for (const auto& [estilo, literal] : estilos) {
      SCOPED_TRACE((textos[i] + u' ' + QString::fromUtf8(estilo)).toStdString());
      const QStringList una = {QString::number(i)};
      EXPECT_EQ(Ejecuta(base + "= " + literal(textos[i])), una);
      EXPECT_EQ(Ejecuta(base + "LIKE " + literal(u'%' + db::PatronLike(textos[i]) + u'%') + db::kEscapeLike), una);
      EXPECT_EQ(Ejecuta(base + "LIKE " + literal(db::PatronLike(textos[i]) + u'%') + db::kEscapeLike), una);
      auto t = Abre("textos.dbf");
      t->SetFilter("TEXTO=" + literal(textos[i]));
      t->SetFiltered(true);
      EXPECT_EQ(Filas(*t), QStringList{QString::number(i) + u'|' + textos[i]});
    }
  }
  EXPECT_EQ(Abre("textos.dbf")->RecordCount(), textos.size() + senuelos.size());
}

// --- Plans.

TEST_F(PruebaSql, ElModoDePruebaAnotaElPlanElegido) {
  QStringList planes;
  db::sql::FijaRegistroDePlanes([&](const QString& p) { planes << p; });
  Ejecuta(ConCarpeta("SELECT COUNT(*) FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD = 100"));
  db::sql::FijaRegistroDePlanes({});
  EXPECT_EQ(planes, QStringList{"remisiod.dbf: recorrido"});
}

TEST_F(PruebaSql, LasEtiquetasSirvenParaIgualdadRangoYOrden) {
  {
    auto t = Abre("remisiod.dbf", true);
    t->AddIndex({"CLDOC_FD", "CLDOC_FD", false, false});
    auto c = Abre("cliente.dbf", true);
    c->AddIndex({"ICLACLI", "CLCLI_C", false, false});
  }
  QStringList planes;
  db::sql::FijaRegistroDePlanes([&](const QString& p) { planes << p; });
  const struct {
    const char* sql;
    std::vector<const char*> filas;
    const char* plan;
  } casos[] = {
      {"SELECT CLPRO_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD = 102 ORDER BY CLDOC_FD", {"A1", "C3"},
       "remisiod.dbf: índice CLDOC_FD = 102"},
      {"SELECT CLDOC_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD > 100 AND CLDOC_FD <= 102 ORDER BY CLDOC_FD",
       {"101", "102", "102"}, "remisiod.dbf: índice CLDOC_FD desde 100 hasta 102"},
      {"SELECT CLDOC_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD >= 101 AND CLDOC_FD <= 102", {"101", "102", "102"},
       "remisiod.dbf: índice CLDOC_FD desde 101 hasta 102"},
      // A range holding every key needs not the tag when no order asks for it.
      {"SELECT CLDOC_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD >= 1 AND CLDOC_FD <= 102", {"100", "100", "101", "102", "102"},
       "remisiod.dbf: recorrido (el rango abarca toda la etiqueta)"},
      {"SELECT CLDOC_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD < 101", {"100", "100"},
       "remisiod.dbf: índice CLDOC_FD hasta 101"},
      {"SELECT CLDOC_FD FROM \"{D}\\remisiod.dbf\" WHERE CLDOC_FD = 'x'", {}, "remisiod.dbf: recorrido (valor que no es clave)"},
      {"SELECT NOMBR_C FROM \"{D}\\cliente.dbf\" WHERE CLCLI_C = '9'", {"O'Brien"}, "cliente.dbf: índice ICLACLI = 9"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.sql);
    planes.clear();
    QStringList esperadas;
    for (const char* f : c.filas) esperadas << QString::fromUtf8(f);
    EXPECT_EQ(Ejecuta(ConCarpeta(c.sql)), esperadas);
    EXPECT_EQ(planes, QStringList{QString::fromUtf8(c.plan)});
  }
  db::sql::FijaRegistroDePlanes({});
}

// Without tags, a join walks each table once: the outer one row by row, the
// inner one into a key map of the joined column.
TEST_F(PruebaSql, UnaUnionSinEtiquetasRecorreCadaTablaUnaVez) {
  QStringList planes;
  db::sql::FijaRegistroDePlanes([&](const QString& p) { planes << p; });
  const QStringList filas = Ejecuta(ConCarpeta(
      "Select F.CLDOC_FD,F.CLPRO_FD,E.CLVEN_F From \"{D}\\remisiod.dbf\" AS F, \"{D}\\REMISION.DBF\" AS E "
      "Where F.CLDOC_FD=E.CLDOC_F and E.CLVEN_F=\"V1\""));
  db::sql::FijaRegistroDePlanes({});
  EXPECT_EQ(filas.size(), 4);  // the lines of remissions 100 and 102 (seller V1)
  EXPECT_EQ(planes.filter("recorrido").size(), 1) << planes.join(u'\n').toStdString();
  EXPECT_EQ(planes.filter("llaves en memoria").size(), planes.size() - 1) << planes.join(u'\n').toStdString();
}

// Files of the folder (a local path) this process has open.
int AbiertosEn(const QString& carpeta) {
  int n = 0;
  for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System))
    if (fd.symLinkTarget().startsWith(carpeta + u'/')) ++n;
  return n;
}

// A result larger than memory keeps goes to a work file of the folder given
// and reads the same, in either direction and by number; the file goes
// when the query closes.
TEST_F(PruebaSql, UnResultadoGrandeVaAUnArchivoDeTrabajoYSeLeeIgual) {
  constexpr int kFilas = 30'000;
  Tabla::Crea(kDatos, QStringLiteral("GRANDE.DBF"),
              {{"NUMER_G", 'N', 10, 0}, {"TEXTO_G", 'C', 200, 0}, {"FECHA_G", 'D', 8, 0}});
  {
    auto t = Abre(QStringLiteral("GRANDE.DBF"));
    for (int i = 1; i <= kFilas; ++i) {
      t->Append();
      t->Fields(0).SetAsInteger(i);
      t->Fields(1).SetAsString(QStringLiteral("Renglón %1 ").arg(i).leftJustified(190, u'x'));
      t->Fields(2).SetAsDate(QDate(2025, 1, 1).addDays(i % 365));
      t->Post();
    }
  }
  const QString trabajo = fs::Local(QStringLiteral("C:\\TRABAJO"));
  fs::CreaCarpeta(QStringLiteral("C:\\TRABAJO"));
  Consulta q;
  q.SetCarpetaTrabajo(trabajo);
  q.SetSQL(ConCarpeta("Select NUMER_G, TEXTO_G, FECHA_G, COUNT(*)*2 AS DOBLE, MAX(FECHA_G) AS ULTIMA "
                      "From \"{D}\\GRANDE.DBF\" Group By NUMER_G, TEXTO_G, FECHA_G Order By NUMER_G DESC"));
  q.Open();
  ASSERT_EQ(q.RecordCount(), kFilas);
  EXPECT_EQ(AbiertosEn(trabajo), 1) << "the rows went to a work file";
  EXPECT_EQ(q.FieldByName("DOBLE").Tipo(), db::TipoDato::Entero);
  EXPECT_EQ(q.FieldByName("ULTIMA").Tipo(), db::TipoDato::Fecha);  // computed, yet every value a date

  qint64 esperado = kFilas;
  for (q.First(); !q.Eof(); q.Next(), --esperado) {
    ASSERT_EQ(q.Fields(0).AsInteger(), esperado);
    ASSERT_EQ(q.FieldByName("DOBLE").AsInteger(), 2);
  }
  EXPECT_EQ(esperado, 0);
  for (q.Last(); !q.Bof(); q.Prior(), ++esperado) ASSERT_EQ(q.Fields(0).AsInteger(), esperado + 1);
  q.First();
  ASSERT_EQ(q.MoveBy(12'344), 12'344);
  EXPECT_EQ(q.Fields(0).AsInteger(), kFilas - 12'345 + 1);
  EXPECT_TRUE(q.Fields(1).AsString().startsWith(QStringLiteral("Renglón %1 x").arg(kFilas - 12'345 + 1)));
  EXPECT_EQ(q.FieldByName("FECHA_G").AsDate(), QDate(2025, 1, 1).addDays((kFilas - 12'345 + 1) % 365));
  q.Close();
  EXPECT_EQ(AbiertosEn(trabajo), 0);
  EXPECT_TRUE(QDir(trabajo).entryList(QDir::Files).isEmpty());
}
