// The maintenance windows reached as the program reaches them: the program
// body started, Utilerías > "Respaldos y Control de Archivos" chosen in the
// main menu and the password prompt answered, and the main window's opener
// of the utilities window.

#include "foundation/rutinas_usuarios.h"
#include "maintenance/IndiTodo.h"
#include "maintenance/respaldo.h"
#include "maintenance/utileria.h"
#include "programa_mantenimiento.h"
#include "shell/Principa.h"
#include "support/Maneja.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <memory>

namespace {

class DesdeElMenu : public ProgramaMantenimiento {
 protected:
  void SetUp() override {
    ProgramaMantenimiento::SetUp();
    // User 1 lacks right 55; user 2 holds it.
    QByteArray usuarios;
    const QStringList claves = {"adm", "caja", "resp"};
    for (int i = 0; i < claves.size(); ++i) {
      TRegistroUsuario r;
      r.NumeroUsuario = i;
      r.NombreUsuario = QString("Usuario %1").arg(i);
      r.ClaveUsuario = claves[i];
      r.Derechos = QString(kNumeroDerechos, u's');
      if (i == 1) {
        r.Derechos[DerechoRespaldar - 1] = u'n';
        r.Derechos[DerechoReindexar - 1] = u'n';
      }
      usuarios += r.ABytes();
    }
    EscribeArchivo(fs::Une(kDatos, "usuarios.def"), usuarios);
    IniciaPrograma();
  }

  // Chooses the backups item (or another) and types the password in its prompt.
  static void EligeRespaldos(const QString& clave, const char* item = "Respaldos1") {
    ui::PuertaModal::Espera("TFormaAdministrador", [clave](QDialog& d) {
      prueba::Teclea(d, "Clave", clave);
      prueba::Tecla(d, "Clave", Qt::Key_Return);
    });
    FormaPrincipal()->Item(item)->trigger();
  }
};

}  // namespace

TEST_F(DesdeElMenu, LaClaveDeUnUsuarioConDerecho55AbreElRespaldoDelDia) {
  EscribeArchivo(fs::Une(kDatos, "cliente.dbf"), "tabla");
  EscribeArchivo(fs::Une(kDatos, "cliente.mdx"), "indice");

  EligeRespaldos("caja");
  EXPECT_FALSE(fs::Existe("C:\\RESPALDOS"));

  bool mostrada = false;
  ui::PuertaModal::Espera("TFormaRespaldo", [&](QDialog& d) {
    mostrada = true;
    prueba::Pulsa(d, "Ejecutar");
  });
  ui::PuertaModal::LimpiaMensajes();
  EligeRespaldos("resp");
  EXPECT_TRUE(mostrada);
  ASSERT_EQ(Mensajes().size(), 2);
  EXPECT_EQ(Mensajes()[0], "C:\\RESPALDOS\\8-12-2026");
  EXPECT_TRUE(Mensajes()[1].startsWith(kRespaldoTerminado + "\nSe copiaron ")) << Mensajes()[1].toStdString();
  EXPECT_EQ(Bytes("C:\\RESPALDOS\\8-12-2026\\cliente.dbf"), "tabla");
  EXPECT_EQ(Bytes("C:\\RESPALDOS\\8-12-2026\\cliente.mdx"), "indice");
  EXPECT_EQ(TextosBitacora(), QStringList{"Último Respaldo 08/12/2026  10:15:00"});
  EXPECT_EQ(FormaRespaldo(), nullptr);
}

TEST_F(DesdeElMenu, ElAbridorDeUtileriasLaMuestraYLaLibera) {
  EscribeArchivo("c:\\proyecto\\cliente.dbf", "x");
  bool mostrada = false;
  ui::PuertaModal::Espera("TFormaUtilerias", [&](QDialog& d) {
    mostrada = d.windowTitle() == "Utilerías";
    EXPECT_EQ(static_cast<TFormaUtilerias&>(d).Lista->count(), 1);
  });
  FormaPrincipal()->Indices1Click();
  EXPECT_TRUE(mostrada);
  EXPECT_EQ(FormaUtilerias(), nullptr);
}

TEST_F(DesdeElMenu, ReindexarConDerecho54MuestraLaCarpetaDeDatosYSuCatalogo) {
  EscribeLineas(fs::Une(kDatos, "Indices.cnf"), {"cliente.dbf,iclacli,clcli_c"});
  int mostrada = 0;
  ui::PuertaModal::Espera("TFormaReindexaTodo", [&](QDialog& d) {
    auto& v = static_cast<TFormaReindexaTodo&>(d);
    ++mostrada;
    EXPECT_EQ(v.windowTitle(), "Mantenimiento y Reindexado");
    EXPECT_EQ(v.EditRuta->text(), kDatos);
    EXPECT_EQ(v.Memo1->toPlainText(), "cliente.dbf,iclacli,clcli_c");
  });
  EligeRespaldos("caja", "Reindexar1");
  EXPECT_EQ(mostrada, 0);
  EligeRespaldos("resp", "Reindexar1");
  EXPECT_EQ(mostrada, 1);
  EXPECT_EQ(FormaReindexaTodo(), nullptr);
}
