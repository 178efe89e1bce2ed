// The table of the configuration lines: complete and consistent, with the
// values a fresh configuration window starts from, and a written file that
// every reader sees whole.

#include "empresas_prueba.h"

#include <QSet>

namespace {

TEST(LineasConfiguracion, CadaLineaUnaVezConSuControl) {
  const QVector<DefLineaConfig>& lineas = LineasConfiguracion();
  ASSERT_EQ(lineas.size(), kLineasConfiguracion);
  QSet<QString> nombres, componentes;
  QList<int> reservadas;
  for (int i = 0; i < lineas.size(); ++i) {
    const DefLineaConfig& d = lineas[i];
    SCOPED_TRACE(d.nombre);
    EXPECT_EQ(d.linea, i + 1);
    EXPECT_EQ(DefinicionLinea(i + 1), &d);
    EXPECT_TRUE(d.Nombre().startsWith("Conf"));
    EXPECT_FALSE(nombres.contains(d.Nombre()));
    nombres << d.Nombre();
    if (d.Reservada()) reservadas << d.linea;
    if (d.control == ControlLinea::Ninguno) {
      EXPECT_TRUE(d.Componente().isEmpty());
      continue;
    }
    EXPECT_FALSE(d.Componente().isEmpty());
    EXPECT_FALSE(componentes.contains(d.Componente()));
    componentes << d.Componente();
    // Check boxes and the radio pair hold "S" or "N", unset at first.
    if (d.control == ControlLinea::Casilla || d.control == ControlLinea::Radios) {
      EXPECT_EQ(d.valor, ValorLinea::SN);
      EXPECT_EQ(d.Inicial(), "N");
    }
    if (d.valor == ValorLinea::SiNo) {
      EXPECT_EQ(d.Inicial(), "SI");
    }
    if (d.control == ControlLinea::Giro) {
      EXPECT_LE(d.minimo, d.Inicial().toInt());
      EXPECT_GE(d.maximo, d.Inicial().toInt());
    }
  }
  EXPECT_EQ(reservadas, (QList<int>{4, 10, 26, 27, 66, 67}));
  EXPECT_EQ(DefinicionLinea(0), nullptr);
  EXPECT_EQ(DefinicionLinea(100), nullptr);
}

TEST(LineasConfiguracion, LineasConocidas) {
  struct Caso {
    int linea;
    const char* componente;
    const char* titulo;
    const char* pestana;
    const char* inicial;
  } casos[] = {
      {ConfBasesAbiertas, "Edit1", "Trabajar Bases de Datos Abiertas ", "General", "SI"},
      {ConfIva, "Edit5", "I.V.A:", "General", "15"},
      {ConfTipoCambio, "Edit7", "Tipo de cambio ", "General", "9.50"},
      {ConfCarpetaDatos, "Edit8", "Ruta de Base de Datos ", "General", "C:\\Vorlan\\DATOS"},
      {ConfNombreEmpresa, "Edit9", "Nombre de la Empresa", "General", ""},
      {ConfClaveAccesoEmpresa, "Edit11", "Clave de   Acceso", "General", ""},
      {ConfFormatoRemision, "Edit15", "Remisión", "Formatos", ""},
      {ConfDigitosCantidad, "Digitos", "Digitos en Cantidad (Ventas)", "Modulos", "2"},
      {ConfDigitosTotal, "DigitosTotal", "Redondear Total a digitos en PV", "Modulos", "0"},
      {ConfCarpetaInventario, "EditInventario", "Ruta de Inventario", "Modulos", ""},
      {ConfVistaResaltada, "VistaResaltada", "Vista Resaltada", "Ventanas", "N"},
      {ConfMaximoPartidas, "PartidasFactura", "Máximo de Partidas", "Modulos", "30"},
      {ConfFactorStock, "Edit35", "Reporte Existencias y Stock Mnimo", "Modulos", "0"},
      {ConfBitacora, "CheckBitacora", "Guardar Bitacora", "Ventanas", "N"},
      {ConfPagarCxCMostrador, "CheckPagarMostrador", "Pagar CxC Cliente Mostrador", "Sistema", "N"},
  };
  for (const Caso& c : casos) {
    const DefLineaConfig* d = DefinicionLinea(c.linea);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Componente(), c.componente) << c.linea;
    EXPECT_EQ(d->Titulo(), QString::fromUtf8(c.titulo)) << c.linea;
    EXPECT_EQ(d->Pestana(), c.pestana) << c.linea;
    EXPECT_EQ(d->Inicial(), QString::fromUtf8(c.inicial)) << c.linea;
  }
  EXPECT_EQ(DefinicionLinea(ConfDigitosCantidad)->maximo, 5);
  EXPECT_EQ(DefinicionLinea(ConfDigitosTotal)->maximo, 100);
  EXPECT_STREQ(DefinicionLinea(ConfVistaResaltada)->alterno, "VistaClasica");
  EXPECT_EQ(DefinicionLinea(ConfClaveAccesoEmpresa)->control, ControlLinea::CajaOculta);
  EXPECT_EQ(DefinicionLinea(ConfReservada4)->control, ControlLinea::CajaOculta);
}

class ArchivoDeEmpresa : public EmpresasPrueba {};

// A file written whole has 99 lines, values as given (blanks kept); the
// reserved lines carry what the writer read there.
TEST_F(ArchivoDeEmpresa, SeEscribeEnteroYSeLeePorLinea) {
  QStringList v = fs::LeeLineas("C:\\VRL\\Gener1.cnf").mid(0, 12);
  v[ConfReservada10 - 1] = "de otra versión";
  v[ConfNombreEmpresa - 1] = "  Abarrotes  ";
  EscribeConfiguracionEmpresa(ArchivoEmpresa("C:\\VRL", "1"), v);

  const QStringList escritas = fs::LeeLineas("C:\\VRL\\Gener1.cnf");
  EXPECT_EQ(escritas.size(), kLineasConfiguracion);
  EXPECT_TRUE(fs::LeeBytes("C:\\VRL\\Gener1.cnf").endsWith("\r\n"));
  struct Caso {
    int linea;
    QString valor;
  } casos[] = {{ConfBasesAbiertas, "SI"},      {ConfCarpetaDatos, kDatos1},   {ConfNombreEmpresa, "  Abarrotes  "},
               {ConfReservada10, "de otra versión"}, {ConfFormatoClientes, ""}, {ConfPagarCxCMostrador, ""}};
  for (const Caso& c : casos) {
    QString leida = "sin leer";
    LeeLineaConfig(c.linea, leida);
    EXPECT_EQ(leida, c.valor) << c.linea;
  }
  EXPECT_EQ(Mensajes(), QStringList());
}

}  // namespace
