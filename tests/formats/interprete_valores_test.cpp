// Values, variables, assignments and conditions, as format lines set them
// and as the rest of the system reads them afterwards.

#include "formats/formato_prueba.h"
#include "foundation/DatoForm.h"
#include "support/Maneja.h"
#include "platform/Error.h"
#include "platform/ui/PuertaModal.h"

#include <tuple>

namespace {

const QString kErrorLinea = QStringLiteral("Existe un error en la estructura de la linea ");
const QString kFaltanParentesis = QStringLiteral("Existe un error en la expresion Faltan parentesis");

class ValoresTest : public FormatoPrueba {
 protected:
  void SetUp() override {
    FormatoPrueba::SetUp();
    CreaDocumento(1234.5, {{"LE01", "Leche entera", 2, 18.75}});
    EscribeLineas(QStringLiteral("C:\\FE\\FE_emisor.ini"), {"RFC", "ABC010101AAA", "NOMBRE"});
  }
};

struct Caso {
  QStringList lineas;
  QString variable;
  QString valor;
  QStringList mensajes = {};
};

}  // namespace

TEST_F(ValoresTest, Asignaciones) {
  const Caso casos[] = {
      {{"variable1=3", "variable2=variable1*2+"}, "variable2", "6"},
      {{"variable1=10*(1+16/100)"}, "variable1", "11.6"},
      {{"variable1=total_f*2"}, "variable1", "2469"},
      {{"variable1=[002]+1"}, "variable1", "1235.5"},
      {{"variable1=clave_f+1"}, "variable1", "101"},
      {{"variable1=-(2+3)"}, "variable1", "-5"},
      {{"variable1=3", "variable2=2*(0-variable1)"}, "variable2", "-6"},
      {{"variable1=-3", "variable2=10-variable1"}, "variable2", "13"},
      {{"variable1=3", "variable2=variable1/0"}, "variable2", "0"},
      {{"variable1=2.5", "cadena3=variable1"}, "cadena3", "2.5"},
      {{"cadena1=nombr_f+ +cldoc_f"}, "cadena1", "JUAN PEREZ 57"},
      {{"cadena1=uno;dos"}, "cadena1", "unodos"},
      {{"cadena2=A-B*C"}, "cadena2", "A-B*C"},
      {{"cadena1=ini_RFC"}, "cadena1", "ABC010101AAA"},
      {{"cadena1=ini_NOMBRE"}, "cadena1", ""},
      {{"cadena1=x", "cadena1=ini_FALTA"}, "cadena1", ""},
      // Targets that are not exactly a variable name assign nothing.
      {{"variable1 = 5"}, "variable1", "0"},
      {{"Variable1=5"}, "variable1", "0"},
      {{"variable31=5"}, "variable31", ""},
      {{"variable01=5"}, "variable1", "0"},
      // Failing assignments leave the variable as it was.
      {{"variable1=7", "variable1=5*"}, "variable1", "7", {kErrorLinea + "variable1=5*"}},
      {{"variable1=7", "variable1=(1+2"}, "variable1", "7", {kFaltanParentesis, kErrorLinea + "variable1=(1+2"}},
      {{"variable1=7", "variable1=1+2)"}, "variable1", "7", {kFaltanParentesis, kErrorLinea + "variable1=1+2)"}},
      {{"variable1=7", "variable1="}, "variable1", "7", {kFaltanParentesis, kErrorLinea + "variable1="}},
      {{"variable1=7", "variable1=[009]"}, "variable1", "7", {kErrorLinea + "variable1=[009]"}},
      // Commands that set variables.
      {{"numero(total_f,,cadena1)"}, "cadena1", "      1,234.50"},
      {{"modulo(17,5,variable1)"}, "variable1", "2"},
      {{"entero(17,5,variable1)"}, "variable1", "3"},
      {{"modulo(17,0,variable1)"}, "variable1", "0"},
      {{"variable2=-17", "modulo(variable2,5,variable1)"}, "variable1", "-2"},
      {{"entero(7.5,2.5,variable1)"}, "variable1", "3"},
      {{"modulo(diez,5,variable1)"}, "variable1", "0", {kErrorLinea + "modulo(diez,5,variable1)"}},
      {{"cadena1=ABCDEF", "corta(cadena1,3)"}, "cadena1", "ABC"},
      {{"corta(cadena1,3)"}, "cadena1", ""},
      {{"cadena1=ABCDEF", "corta(cadena1,-1)"}, "cadena1", "ABCDEF"},
      {{"variable1=123.5", "corta(variable1,2)"}, "variable1", "12"},
      {{"cadena1=ABC", "corta(cadena1,tres)"}, "cadena1", "ABC", {kErrorLinea + "corta(cadena1,tres)"}},
  };
  for (const Caso& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    Corre(c.lineas, u'p');
    EXPECT_EQ(ValorVariableFormato(c.variable), c.valor) << c.lineas.join(u'|').toStdString();
    EXPECT_EQ(Mensajes(), c.mensajes) << c.lineas.join(u'|').toStdString();
  }
}

TEST_F(ValoresTest, Condiciones) {
  const Caso casos[] = {
      {{"si(total_f>1000)"}, "", "1"},
      {{"si (total_f>1000)"}, "", "0"},
      {{"si(total_f<1000)"}, "", "0"},
      {{"si(X>5)"}, "", "1"},
      {{"si(total_f>1000^cldoc_f=57)"}, "", "1"},
      {{"si(total_f>1000^cldoc_f=58)"}, "", "0"},
      {{"si(total_f<1000|cldoc_f=57)"}, "", "1"},
      // "^" before "|"
      {{"si(cldoc_f=57|cldoc_f=1^total_f<0)"}, "", "1"},
      {{"si(cldoc_f=1^total_f>0|cldoc_f=2)"}, "", "0"},
      {{"si(nombr_f!PEDRO)"}, "", "1"},
      {{"si(nombr_f=JUAN PEREZ)"}, "", "1"},
      {{"si(nombr_f>JUAN)"}, "", "1"},
      // numbers when both sides read as numbers, texts otherwise
      {{"si(clave_f>99)"}, "", "1"},
      {{"si(clave_f>@99x)"}, "", "0"},
      {{"si(total_f>#1000.5)"}, "", "1"},
      // a date marked with "%" (in a text variable: "/" cuts a condition)
      {{"cadena1=%01/04/2024", "si(fedoc_f<cadena1)"}, "", "1"},
      {{"cadena1=01/04/2024", "si(fedoc_f<cadena1)"}, "", "0"},
  };
  for (const Caso& c : casos) {
    QStringList formato = c.lineas;
    formato << "variable1=1" << "terminacondicion";
    Corre(formato, u'p');
    EXPECT_EQ(ValorVariableFormato("variable1"), c.valor) << c.lineas.join(u'|').toStdString();
  }
  EXPECT_TRUE(Mensajes().isEmpty()) << Mensajes().join(u'|').toStdString();
}

TEST_F(ValoresTest, AsignacionesFueraDeUnaCorrida) {
  EjecutaAsignacionFormato("variable1=10*(1+16/100)", encabezado_.get());
  EXPECT_EQ(ValorVariableFormato("variable1"), "11.6");
  EjecutaAsignacionFormato("cadena2=nombr_f", encabezado_.get());
  EXPECT_EQ(ValorVariableFormato("cadena2"), "JUAN PEREZ");
  EXPECT_EQ(ValorVariableFormato("precio"), "");
  // A failing assignment reaches the caller and changes nothing.
  EXPECT_THROW(EjecutaAsignacionFormato("variable1=5*", encabezado_.get()), plat::Error);
  EXPECT_EQ(ValorVariableFormato("variable1"), "11.6");
  // The values stay until the next run starts.
  Corre({"texto(1,1,Hola)"}, u'p');
  EXPECT_EQ(ValorVariableFormato("variable1"), "0");
  EXPECT_EQ(ValorVariableFormato("cadena2"), "");
}

TEST_F(ValoresTest, ValoresDeUnaLineaArroba) {
  Corre({"variable3=4", "cadena1=Sr.", "@1,variable3,Total: +total_f", "@2,[000],+cadena1+ +nombr_f+ +variable3",
         "@3,1,ini_RFC+/+ini_OTRA+/+ total_f", "@j4,1,x"},
        u'p');
  using Registro = std::tuple<double, double, QString>;
  std::vector<Registro> registros;
  for (const TElementoPagina& e : LeeElementosPagina()) registros.push_back({e.X, e.Y, e.Texto});
  // A piece with blanks around it is a literal, not a field.
  EXPECT_EQ(registros, (std::vector<Registro>{{1, 4, "Total: 1234.5"},
                                              {2, 57, "Sr. JUAN PEREZ 4"},
                                              {3, 1, "ABC010101AAA// total_f"},
                                              {4, 1, "x"}}));
}

TEST_F(ValoresTest, DatoPreguntaAlUsuario) {
  struct Pregunta {
    QString linea;
    QString etiqueta;
    int tag;
    QString teclea;
    bool aceptar;  // "Aceptar", otherwise Enter
    QString variable;
    QString valor;
    QStringList mensajes = {};
  };
  const Pregunta casos[] = {
      {"dato(variable7,Precio)", "Precio", 1, "12.5", true, "variable7", "12.5"},
      {"dato(cadena2)", "Insertar un Dato", 2, "Hola mundo", false, "cadena2", "Hola mundo"},
      {"dato(precio,Otro)", "Otro", 0, "5", true, "precio", ""},
      // Enter leaves a text that is not a number: the line is reported.
      {"dato(variable1,Cantidad)", "Cantidad", 1, "12a", false, "variable1", "0",
       {"Error en el Formato Revise su Estructura", "Linea Afectada dato(variable1,Cantidad)"}},
  };
  for (const Pregunta& c : casos) {
    ui::PuertaModal::LimpiaMensajes();
    QString etiqueta;
    int tag = -1;
    ui::PuertaModal::Espera("TFormaDato", [&](QDialog& d) {
      etiqueta = prueba::Texto(d, "Label1");
      tag = static_cast<TFormaDato&>(d).Tag();
      prueba::Teclea(d, "EditDato", c.teclea);
      if (c.aceptar) {
        prueba::Pulsa(d, "BitBtn1");
      } else {
        prueba::Tecla(d, "EditDato", Qt::Key_Return);
      }
    });
    Corre({c.linea}, u'p');
    EXPECT_EQ(etiqueta, c.etiqueta) << c.linea.toStdString();
    EXPECT_EQ(tag, c.tag) << c.linea.toStdString();
    EXPECT_EQ(ValorVariableFormato(c.variable), c.valor) << c.linea.toStdString();
    EXPECT_EQ(Mensajes(), c.mensajes) << c.linea.toStdString();
  }
  EXPECT_EQ(FormaDato(), nullptr) << "la ventana se libera";
}
