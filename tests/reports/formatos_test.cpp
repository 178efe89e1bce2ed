#include "formats/edicion.h"
#include "foundation/describe.h"
#include "platform/fs/CadenaCorta.h"
#include "foundation/Lineas.h"
#include "platform/db/Consulta.h"
#include "platform/ui/DialogoArchivo.h"
#include "platform/ui/ListaCarpetas.h"
#include "platform/ui/PuertaModal.h"
#include "reports/CamposReporte.h"
#include "reports/Formatos.h"
#include "reports/ProtocoloReporte.h"
#include "reports/reportes_prueba.h"
#include "support/Maneja.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTextEdit>

namespace {

QStringList Elementos(const QComboBox* caja) {
  QStringList r;
  for (int i = 0; i < caja->count(); ++i) r << caja->itemText(i);
  return r;
}

// The user picks a caption from the drop-down list of a field box.
void Elige(QComboBox* caja, const QString& texto) {
  const int i = caja->findText(texto);
  ASSERT_GE(i, 0) << texto.toStdString();
  caja->setCurrentIndex(i);
}

// The user clears a box's text with the keyboard.
void Borra(QDialog& d, const QString& caja) {
  prueba::Tecla(d, caja, Qt::Key_A, Qt::ControlModifier);
  prueba::Tecla(d, caja, Qt::Key_Backspace);
}

// The window comes back to the front after another one of the program.
void Reactiva(QWidget& ventana) {
  QEvent fuera(QEvent::WindowDeactivate);
  QApplication::sendEvent(&ventana, &fuera);
  QEvent dentro(QEvent::WindowActivate);
  QApplication::sendEvent(&ventana, &dentro);
}

class FormatosTest : public ReportePrueba {
 protected:
  void SetUp() override {
    ReportePrueba::SetUp();
    EscribeCampos({
        {"facturad.dbf", "CLPRO_FD", "Clave", "ftString"},
        {"facturad.dbf", "DEPRO_FD", "Descripción", "ftString"},
        {"facturad.dbf", "CANTI_FD", "Cantidad", "ftFloat"},
        {"facturae.dbf", "FEDOC_F", "Fecha", "ftDate"},
        {"facturae.dbf", "NOMBR_F", "Nombre", "ftString"},
        {"cliente.dbf", "CLCLI_C", "Clave", "ftString"},
        {"cliente.dbf", "NOMBR_C", "Nombre", "ftString"},
        {"cliente.dbf", "SALDO_C", "Saldo", "ftFloat"},
        // Readers look tables up in small letters only.
        {"CLIENTE.DBF", "TELEF_C", "Teléfono", "ftString"},
    });
  }

  // Prepares the dialog as a report command does.
  static void Prepara(const QString& tabla) {
    PreparaParametrosReporte(true, true, false, true, false, true, true, true, true, tabla);
    FijaRangoReporte(0, 0, "A", "Z");
  }
};

}  // namespace

TEST_F(FormatosTest, LasListasOfrecenLosCamposDeLaTablaCatalogada) {
  struct Caso {
    const char* tabla;
    QStringList descripciones;
  };
  const Caso casos[] = {
      {"RemisioD.dbf", {"Clave", "Descripción", "Cantidad"}},
      {"cotizacd.dbf", {"Clave", "Descripción", "Cantidad"}},
      {"Devoluc.dbf", {"Fecha", "Nombre"}},
      {"cliente.dbf", {"Clave", "Nombre", "Saldo"}},
      {"proveedo.dbf", {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tabla);
    TFormaFormatos forma;
    Prepara(c.tabla);
    for (QComboBox* lista : {forma.Condicion[0], forma.Condicion[1], forma.Condicion[2], forma.Orden}) {
      EXPECT_EQ(Elementos(lista), c.descripciones) << lista->objectName().toStdString();
      EXPECT_TRUE(lista->currentText().isEmpty());
    }
    for (QLabel* etiqueta : {forma.C[0], forma.T[0], forma.O1, forma.TO1}) EXPECT_TRUE(etiqueta->text().isEmpty());
    EXPECT_EQ(forma.TablaReporte(), c.tabla);
  }
}

TEST_F(FormatosTest, PreparacionCaptionBanderasFechasYRango) {
  TFormaFormatos forma;
  EXPECT_EQ(forma.windowTitle(), "Edición de Formatos");
  CarpetaProgramaReportes.clear();
  PreparaParametrosReporte(false, true, true, false, true, false, false, false, false, "cliente.dbf");
  FijaRangoReporte(0, 0, "C-001", "C-950");
  EXPECT_EQ(forma.windowTitle(), "Datos del Reporte");
  EXPECT_FALSE(forma.Inicial->isEnabled());
  EXPECT_FALSE(forma.Final->isEnabled());
  EXPECT_TRUE(forma.De->isEnabled());
  EXPECT_TRUE(forma.Incluir1->isEnabled());
  EXPECT_FALSE(forma.IncluirDevoluciones->isEnabled());
  EXPECT_TRUE(forma.Incluir3->isEnabled());
  for (QComboBox* condicion : forma.Condicion) EXPECT_FALSE(condicion->isEnabled());
  EXPECT_EQ(forma.Inicial->date(), QDate(2024, 3, 15));
  EXPECT_EQ(forma.Final->date(), QDate(2024, 3, 15));
  EXPECT_EQ(forma.De->text(), "C-001");
  EXPECT_EQ(forma.Hasta->text(), "C-950");
  EXPECT_EQ(CarpetaProgramaReportes, kPrograma);
}

TEST_F(FormatosTest, SeOfrecenSesentaCampos) {
  std::vector<FilaCampo> filas;
  for (int i = 1; i <= 65; ++i)
    filas.push_back({"ancha.dbf", QStringLiteral("F%1").arg(i), QStringLiteral("Campo %1").arg(i), "ftString"});
  EscribeCampos(filas);
  TFormaFormatos forma;
  Prepara("ancha.dbf");
  EXPECT_EQ(forma.Orden->count(), 60);
  EXPECT_EQ(forma.Condicion[2]->itemText(59), "Campo 60");
  EXPECT_EQ(forma.NombresCampos().size(), 60);
  EXPECT_EQ(forma.NombresCampos().last(), "F60");
}

TEST_F(FormatosTest, SinDiccionarioNoHayCamposYElReporteSigue) {
  db::Tabla::Borra(kPrograma, "Campos.DBF");
  TFormaFormatos forma;
  Prepara("cliente.dbf");
  EXPECT_EQ(forma.Condicion[0]->count(), 0);
  ui::PuertaModal::Espera("TFormaFormatos", [](QDialog& d) { prueba::Pulsa(d, "BitBtn4"); });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 1);
  QString sql = "previo";
  CondicionesReporteSQL("", "", sql);
  EXPECT_EQ(sql, "");
  EXPECT_TRUE(Mensajes().isEmpty());
}

TEST_F(FormatosTest, LasColumnasDelGuionQueElDiccionarioConoceSeAgregan) {
  TFormaFormatos forma;
  QString campos;
  // " CLPRO_FD" keeps its blank and is not found; CLCLI_C is "Clave", which
  // is offered already; NOMBR_F is last and not looked up.
  CamposDelSelect("$Ventas\r&select CLPRO_FD,CLCLI_C,c.NOMBR_C,SUM(c.SALDO_C),NOMBR_F From x", campos);
  EXPECT_EQ(CamposGuionReporte, campos);
  Prepara("remisiod.dbf");
  EXPECT_EQ(Elementos(forma.Orden), (QStringList{"Clave", "Descripción", "Cantidad", "Nombre", "Saldo"}));
  EXPECT_EQ(forma.NombresCampos(), (QStringList{"CLPRO_FD", "DEPRO_FD", "CANTI_FD", "NOMBR_C", "SALDO_C"}));

  // A new dialog starts with no script columns.
  TFormaFormatos otra;
  EXPECT_TRUE(CamposGuionReporte.isEmpty());
}

TEST_F(FormatosTest, EjecutarConCondicionesYTitulo) {
  TFormaFormatos forma;
  Prepara("remisiod.dbf");
  ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
    Elige(forma.Condicion[0], "Descripción");
    Elige(forma.Operador[0], "Incluye");
    prueba::Teclea(d, "Valor1", "PAN");
    Elige(forma.Condicion[1], "Cantidad");
    EXPECT_EQ(forma.C[1]->text(), "CANTI_FD");
    EXPECT_EQ(forma.T[1]->text(), "ftFloat");
    Elige(forma.Operador[1], ">");
    prueba::Teclea(d, "Valor2", "3");
    Borra(d, "Condicion2");
    // A caption typed that names no field chooses none.
    prueba::Teclea(d, "Condicion3", "Precio");
    Elige(forma.Orden, "Clave");
    EXPECT_EQ(forma.Titulo->text(), "Título");
    Borra(d, "Titulo");
    prueba::Teclea(d, "Titulo", "Pan vendido");
    prueba::Tecla(d, "Titulo", Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 1);
  EXPECT_EQ(forma.Titulo->text(), "Pan vendido");
  EXPECT_EQ(forma.C[0]->text(), "DEPRO_FD");
  EXPECT_EQ(forma.T[0]->text(), "ftString");
  for (int n : {1, 2}) {
    EXPECT_TRUE(forma.C[n]->text().isEmpty()) << n;
    EXPECT_TRUE(forma.T[n]->text().isEmpty()) << n;
  }
  QString sql, orden;
  CondicionesReporteSQL("", "", sql);
  EXPECT_EQ(sql, "and DEPRO_FD LIKE '%PAN%'");
  OrdenReporteSQL("", orden);
  EXPECT_EQ(orden, "CLPRO_FD");
  EXPECT_EQ(forma.TO1->text(), "ftString");
}

TEST_F(FormatosTest, EnterEnCualquierControlEjecutaYCancelarNo) {
  struct Caso {
    const char* control;
    int tecla;
    const char* boton;
    int tag;
  };
  const Caso casos[] = {
      {"Titulo", Qt::Key_Return, nullptr, 1}, {"Condicion1", Qt::Key_Enter, nullptr, 1},
      {"De", Qt::Key_Return, nullptr, 1},     {"Operador2", Qt::Key_Return, nullptr, 1},
      {"Titulo", Qt::Key_Escape, nullptr, 0}, {nullptr, 0, "BitBtn5", 0},
      {nullptr, 0, "BitBtn4", 1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.control ? c.control : c.boton);
    TFormaFormatos forma;
    Prepara("cliente.dbf");
    forma.SetTag(7);
    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      if (c.control) prueba::Tecla(d, c.control, c.tecla);
      else prueba::Pulsa(d, c.boton);
      EXPECT_FALSE(d.isVisible());
    });
    forma.ShowModal();
    EXPECT_EQ(forma.Tag(), c.tag);
  }
}

TEST_F(FormatosTest, DobleClicEnValorEligeEntreLosValoresDelCampo) {
  EscribeClientes({{"3", "JUAN PEREZ"}, {"1", "ANA LOPEZ"}, {"2", "JUAN PEREZ"}, {"4", "LUIS RUIZ"}});
  TFormaFormatos forma;
  Prepara("cliente.dbf");
  ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
    Elige(forma.Condicion[0], "Nombre");
    EXPECT_EQ(forma.C[0]->text(), "NOMBR_C");
    EXPECT_EQ(forma.T[0]->text(), "ftString");
    Elige(forma.Operador[0], "Incluye");
    ui::PuertaModal::Espera("TFormaLineas", [](QDialog& l) {
      auto& picker = static_cast<TFormaLineas&>(l);
      EXPECT_EQ(picker.Query1->SQL(),
                "SELECT DISTINCT NOMBR_C FROM \"C:\\DATOS\\cliente.dbf\" order by NOMBR_C");
      EXPECT_EQ(picker.Query1->RecordCount(), 3);
      picker.DBGrid1->setCurrentIndex(picker.DBGrid1->model()->index(1, 0));
      prueba::Pulsa(l, "BitBtn1");
    });
    prueba::DobleClic(forma.Valor[0]->lineEdit());
    EXPECT_EQ(forma.Valor[0]->currentText(), "JUAN PEREZ");

    // Coming back to the window keeps the operator the user chose.
    Reactiva(d);
    EXPECT_EQ(forma.Operador[0]->currentText(), "Incluye");

    // The picker closed with Esc still gives the row it stood on.
    ui::PuertaModal::Espera("TFormaLineas", [](QDialog& l) { prueba::Tecla(l, "DBGrid1", Qt::Key_Escape); });
    prueba::DobleClic(forma.Valor[0]->lineEdit());
    EXPECT_EQ(forma.Valor[0]->currentText(), "ANA LOPEZ");

    // With no field chosen there is nothing to pick from.
    prueba::DobleClic(forma.Valor[1]->lineEdit());
    prueba::Pulsa(d, "BitBtn4");
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 1);
}

TEST_F(FormatosTest, TeclasDeAyudaYFechaDeHoy) {
  // Help records 100 to 109, each reading "Ayuda <n>".
  QByteArray describe;
  for (int n = 0; n < 110; ++n) {
    QByteArray registro(kTamanoDescripcion, '\0');
    fs::EscribeCadenaCorta(registro, 11, 125, QStringLiteral("Ayuda %1").arg(n));
    describe += registro;
  }
  EscribeBytes("C:\\VRL\\ayuda\\describe.des", describe);
  struct Caso {
    const char* control;
    int tecla;
    int ayuda;  // 0: none
  };
  const Caso casos[] = {
      {"Condicion2", Qt::Key_F1, 102}, {"Operador3", Qt::Key_F1, 103}, {"Valor1", Qt::Key_F1, 104},
      {"Inicial", Qt::Key_F2, 105},    {"Final", Qt::Key_F2, 106},     {"De", Qt::Key_F1, 107},
      {"Hasta", Qt::Key_F1, 108},      {"Inicial", Qt::Key_F3, 0},     {"Final", Qt::Key_F3, 0},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.control << " " << c.tecla);
    TFormaFormatos forma;
    Prepara("cliente.dbf");
    forma.Inicial->setDate(QDate(2020, 1, 1));
    forma.Final->setDate(QDate(2020, 1, 2));
    QString ayuda;
    if (c.ayuda) {
      ui::PuertaModal::Espera("TFormaDescribe", [&](QDialog& d) {
        ayuda = static_cast<TFormaDescribe&>(d).Comenta->toPlainText();
        static_cast<TFormaDescribe&>(d).Close();
      });
    }
    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      prueba::Tecla(d, c.control, c.tecla);
      prueba::Pulsa(d, "BitBtn5");
    });
    forma.ShowModal();
    EXPECT_EQ(ayuda, c.ayuda ? QStringLiteral("Ayuda %1").arg(c.ayuda) : QString());
    if (!c.ayuda) {
      EXPECT_EQ(forma.findChild<QDateEdit*>(c.control)->date(), QDate(2024, 3, 15));
    }
  }
}

TEST_F(FormatosTest, LosOperadoresVuelvenAIgualAlMostrarse) {
  TFormaFormatos forma;
  Prepara("cliente.dbf");
  for (QComboBox* operador : forma.Operador) Elige(operador, "<>");
  ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
    for (QComboBox* operador : forma.Operador) EXPECT_EQ(operador->currentText(), "=");
    prueba::Pulsa(d, "BitBtn5");
  });
  forma.ShowModal();
  EXPECT_EQ(forma.Tag(), 0);
}

TEST_F(FormatosTest, ElegirFormato) {
  EscribeLineas("C:\\VRL\\consulta\\ticket.fmt", {"@1,1,x"});
  EscribeLineas("C:\\VRL\\otros\\carta.fmt", {"@1,1,x"});
  struct Caso {
    const char* nombre;
    std::function<void(TFormaFormatos&)> eleccion;
    bool elegido;
    const char* formato;
    QStringList mensajes;
  };
  const Caso casos[] = {
      {"doble clic en el archivo",
       [](TFormaFormatos& f) {
         ASSERT_EQ(f.ArchivoLista->count(), 1);
         emit f.ArchivoLista->itemActivated(f.ArchivoLista->item(0));
         EXPECT_EQ(f.Rutas->text(), "C:\\VRL\\consulta\\ticket.fmt");
         prueba::Pulsa(f, "BotonEdicion");
       },
       true, "C:\\VRL\\consulta\\ticket.fmt", {}},
      {"otra carpeta tecleada",
       [](TFormaFormatos& f) {
         f.Rutas->clear();
         prueba::Teclea(f, "Rutas", "c:\\vrl\\otros");
         prueba::Tecla(f, "Rutas", Qt::Key_Return);
         ASSERT_TRUE(f.isVisible());
         EXPECT_EQ(f.rutformato->text(), "C:\\VRL\\otros");
         EXPECT_EQ(f.Rutas->text(), "C:\\VRL\\otros");
         EXPECT_EQ(f.ArchivoLista->item(0)->text(), "carta.fmt");
         prueba::Teclea(f, "Rutas", "\\carta.fmt");
         prueba::Pulsa(f, "BotonEdicion");
       },
       true, "C:\\VRL\\otros\\carta.fmt", {}},
      {"un archivo que no existe",
       [](TFormaFormatos& f) {
         prueba::Teclea(f, "Rutas", "\\nada.fmt");
         prueba::Pulsa(f, "BotonEdicion");
       },
       false, "previo.fmt", {"El Formato C:\\VRL\\consulta\\nada.fmt No Existe"}},
      {"cancelado", [](TFormaFormatos& f) { prueba::Pulsa(f, "BitBtn3"); }, false, "previo.fmt", {}},
      {"Esc", [](TFormaFormatos& f) { prueba::Tecla(f, "Rutas", Qt::Key_Escape); }, false, "previo.fmt", {}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    ui::PuertaModal::LimpiaMensajes();
    ui::PuertaModal::Espera("TFormaFormatos", [&](QDialog& d) {
      auto& f = static_cast<TFormaFormatos&>(d);
      EXPECT_TRUE(f.Rangos->isHidden());
      EXPECT_EQ(f.rutformato->text(), "C:\\VRL\\consulta");
      EXPECT_EQ(f.Rutas->text(), "C:\\VRL\\consulta");
      c.eleccion(f);
    });
    QString formato = "previo.fmt";
    EXPECT_EQ(EligeFormato(formato), c.elegido);
    EXPECT_EQ(formato, c.formato);
    EXPECT_EQ(Mensajes(), c.mensajes);
  }
}

TEST_F(FormatosTest, DisenarFormatoAbreElEditorEnConsulta) {
  TFormaFormatos forma;
  ui::PuertaModal::Espera("TFormaEdicion", [](QDialog& d) {
    auto& editor = static_cast<TFormaEdicion&>(d);
    EXPECT_EQ(editor.Modo(), ModoEdicion::Editor);
    EXPECT_EQ(editor.AbreFormato->InitialDir, "C:\\VRL\\consulta");
    editor.Close();
  });
  forma.BotonEdicionClick();
  EXPECT_EQ(forma.Tag(), 1);
  EXPECT_EQ(FormaEdicion(), nullptr);
}
