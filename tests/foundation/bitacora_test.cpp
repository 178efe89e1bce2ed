#include "empresa_prueba.h"

#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Texto.h"
#include "support/Proceso.h"

#include <QRegularExpression>

namespace {

const QString kBitacoraCompartida = QStringLiteral("C:\\VRL\\DATOS\\Bitacora.txt");
const QString kBitacoraLocal = QStringLiteral("C:\\VRL\\Bitacora.txt");
const QString kBorrados = QStringLiteral("C:\\VRL\\borrados.dat");

using BitacoraTest = EmpresaPrueba;

}  // namespace

TEST_F(BitacoraTest, EventoCompartidoEnDosLineas) {
  // Before the company is chosen the folder is empty: the log lands at the
  // root of the program's drive.
  RegistraBitacora("Antes de la empresa");
  EXPECT_EQ(fs::LeeBytes("C:\\Bitacora.txt"), QByteArray("05/03/2010 10:15:00\t\r\nAntes de la empresa\r\n"));

  FijaCarpetaBitacora();
  EXPECT_EQ(CarpetaBitacora, kDatosEmpresa);
  RegistraBitacora("Reindexado 05/03/2010  10:15:00");
  fs::FijaAhora(kMomentoPrueba.addSecs(3600 * 13 + 5));
  RegistraBitacora("Último Respaldo ");
  EXPECT_EQ(fs::LeeBytes(kBitacoraCompartida),
            QByteArray("05/03/2010 10:15:00\t\r\nReindexado 05/03/2010  10:15:00\r\n"
                       "05/03/2010 23:15:05\t\r\n\xDAltimo Respaldo \r\n"));

  // A folder that is not there loses the event without a word.
  CarpetaBitacora = "C:\\NOHAY\\DATOS";
  RegistraBitacora("perdido");
  EXPECT_FALSE(fs::Existe("C:\\NOHAY"));
  EXPECT_TRUE(Mensajes().isEmpty());
}

RUTINA_HIJA(RegistraEventos) {
  FijaCarpetaBitacora();
  const int n = argumentos.at(1).toInt();
  prueba::AvisaPadre("LISTO");
  prueba::EsperaPadre();
  // Long texts, so that a write split in two would show.
  for (int i = 0; i < n; ++i)
    RegistraBitacora(QStringLiteral("%1 %2 ").arg(argumentos.at(0)).arg(i, 4, 10, QChar(u'0')) + QString(300, u'x'));
  return 0;
}

TEST_F(BitacoraTest, DosEstacionesNoMezclanSusEventos) {
  prueba::ProcesoHijo a("RegistraEventos", {"A", "1000"});
  prueba::ProcesoHijo b("RegistraEventos", {"B", "1000"});
  ASSERT_EQ(a.EsperaLinea(), "LISTO");
  ASSERT_EQ(b.EsperaLinea(), "LISTO");
  a.Envia("ya");
  b.Envia("ya");
  ASSERT_EQ(a.Espera(), 0);
  ASSERT_EQ(b.Espera(), 0);

  const QStringList lineas = fs::LeeLineas(kBitacoraCompartida);
  ASSERT_EQ(lineas.size(), 4000);
  const QRegularExpression fecha(QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\\t$"));
  const QRegularExpression evento(QStringLiteral("^([AB]) (\\d{4}) x{300}$"));
  QMap<QString, int> siguiente{{"A", 0}, {"B", 0}};
  for (int i = 0; i < lineas.size(); i += 2) {
    ASSERT_TRUE(fecha.match(lineas[i]).hasMatch()) << "línea " << i + 1 << ": " << lineas[i].toStdString();
    const auto m = evento.match(lineas[i + 1]);
    ASSERT_TRUE(m.hasMatch()) << "línea " << i + 2 << ": " << lineas[i + 1].left(40).toStdString();
    // Each station's events arrive whole and in its own order.
    EXPECT_EQ(m.captured(2).toInt(), siguiente[m.captured(1)]++);
  }
  EXPECT_EQ(siguiente["A"], 1000);
  EXPECT_EQ(siguiente["B"], 1000);
}

TEST_F(BitacoraTest, LaBitacoraLocalSeReiniciaPasadoElMillon) {
  const QByteArray linea = "Error Apertura INVENTAR.DBF 10:15:00 05/03/2010\r\n";
  struct Caso { qint64 tamano; bool reinicia; };
  for (const Caso& c : {Caso{1000000, false}, Caso{1000001, true}, Caso{0, false}}) {
    const QByteArray previo = c.tamano ? QByteArray(c.tamano - 2, 'x') + "\r\n" : QByteArray();
    if (c.tamano) EscribeBytes(kBitacoraLocal, previo);
    else fs::BorraArchivo(kBitacoraLocal);
    EscribeBitacoraLocal("Error Apertura INVENTAR.DBF 10:15:00 05/03/2010");
    EXPECT_EQ(fs::LeeBytes(kBitacoraLocal), c.reinicia ? linea : previo + linea) << c.tamano;
  }
}

TEST_F(BitacoraTest, RegistroBorradoTalComoEsta) {
  db::Tabla::Crea(kDatosEmpresa, "CLIENTE.DBF",
                  {{"CLCLI_C", 'C', 10, 0}, {"NOMBR_C", 'C', 40, 0}, {"SALDO_C", 'N', 12, 2}, {"FECHA_C", 'D', 8, 0},
                   {"CREDI_C", 'L', 1, 0}, {"NOTAS_C", 'C', 20, 0}});
  db::Tabla t;
  t.SetCarpeta(kDatosEmpresa);
  t.SetNombreTabla("CLIENTE.DBF");

  // A closed table, and then an empty one, log nothing and raise nothing.
  RegistraBorrado(t, "C:\\VRL");
  t.Open();
  RegistraBorrado(t);
  EXPECT_FALSE(fs::Existe(kBorrados));

  for (const char* clave : {"123", "  7"}) {
    t.Append();
    t.FieldByName("CLCLI_C").SetAsString(clave);
    t.FieldByName("NOMBR_C").SetAsString("Pérez, Juan");
    t.FieldByName("SALDO_C").SetAsFloat(1500.5);
    t.FieldByName("FECHA_C").SetAsDate(QDate(2010, 2, 1));
    t.FieldByName("CREDI_C").SetAsBoolean(true);
    t.Post();
  }
  t.First();
  RegistraBorrado(t, "C:\\VRL");
  t.Delete();
  fs::FijaAhora(kMomentoPrueba.addSecs(1));
  RegistraBorrado(t);
  EXPECT_EQ(fs::LeeBytes(kBorrados),
            QByteArray("CLIENTE.DBF,05/03/2010 10:15:00,CLCLI_C,123,NOMBR_C,P\xE9rez, Juan,SALDO_C,1500.5,"
                       "FECHA_C,01/02/2010,CREDI_C,True,NOTAS_C,,\r\n"
                       "CLIENTE.DBF,05/03/2010 10:15:01,CLCLI_C,  7,NOMBR_C,P\xE9rez, Juan,SALDO_C,1500.5,"
                       "FECHA_C,01/02/2010,CREDI_C,True,NOTAS_C,,\r\n"));
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(BitacoraTest, HistorialDeUnRegistroSoloConLaLinea85) {
  // Two users; the history names the one logged in.
  auto usuario = [](qint32 numero, const QString& nombre) {
    TRegistroUsuario r;
    r.NumeroUsuario = numero;
    r.NombreUsuario = nombre;
    r.Derechos = QString(60, u's');
    return r.ABytes();
  };
  EscribeBytes("C:\\VRL\\usuarios.def", usuario(0, "ADMINISTRADOR") + usuario(1, "María López"));
  fs::CreaCarpeta(kDatosEmpresa + "\\Bitacora");

  struct Caso { QString linea85; bool escribe; };
  for (const Caso& c : {Caso{"N", false}, Caso{"", false}, Caso{"s", false}, Caso{"S", true}}) {
    EscribeConfiguracion(c.linea85);
    QString nombre;
    LeeNombreUsuario("1", CarpetaPrograma(""), nombre);
    const bool activo = LeeConfBitacora();
    RegistraHistorial(activo, kDatosEmpresa, u'M', "000123", "NUEVO", nombre);
    RegistraHistorial(activo, kDatosEmpresa, u'R', "A-77", "ELIMINADA CXC 1,234.50", nombre);
    EXPECT_EQ(fs::Existe(kDatosEmpresa + "\\Bitacora\\M-000123.bit"), c.escribe) << c.linea85.toStdString();
    EXPECT_EQ(fs::Existe(kDatosEmpresa + "\\Bitacora\\R-A-77.bit"), c.escribe) << c.linea85.toStdString();
  }
  fs::FijaAhora(kMomentoPrueba.addSecs(60));
  RegistraHistorial(true, kDatosEmpresa, u'M', "000123", "GUARDADA", "María López");
  EXPECT_EQ(fs::LeeLineas(kDatosEmpresa + "\\Bitacora\\M-000123.bit"),
            QStringList({"05/03/2010 10:15:00 NUEVO Por María López", "05/03/2010 10:16:00 GUARDADA Por María López"}));
  EXPECT_EQ(fs::LeeLineas(kDatosEmpresa + "\\Bitacora\\R-A-77.bit"),
            QStringList({"05/03/2010 10:15:00 ELIMINADA CXC 1,234.50 Por María López"}));

  // Without the Bitacora folder the line is lost quietly.
  RegistraHistorial(true, "C:\\VRL\\OTROS", u'C', "9", "GUARDADA", "María López");
  EXPECT_FALSE(fs::Existe("C:\\VRL\\OTROS"));
  EXPECT_TRUE(Mensajes().isEmpty());
}
