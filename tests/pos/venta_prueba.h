#pragma once
// A company for the sale screen's tests: the start file, Gener1.cnf with the
// initial values and the data folder C:\VRL\DATOS, every registered table of
// the company and of the program folder, encabeza.cnf with every option
// off, and four users: 0 "adm" and 1
// "caja" with every right (right 56 makes them restricted users), 2 "otra"
// with every right but 56, 3 "bodega" with every right but 4. The clock
// stands at 5 March 2010, 10:15.

#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"
#include "pos/CaptuRap.h"
#include "shell/LineasConfiguracion.h"
#include "support/Maneja.h"
#include "support/RaizPrueba.h"
#include "support/UsuariosPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QLabel>
#include <QToolButton>
#include <QMap>
#include <QStringList>

#include <functional>

inline const QString kPrograma = QStringLiteral("C:\\VRL");
inline const QString kDatos = QStringLiteral("C:\\VRL\\DATOS");

class VentaPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {kPrograma, "C:\\VRL\\Gener1.cnf", ""});
    QStringList conf = ValoresInicialesConfiguracion();
    conf[ConfCarpetaDatos - 1] = kDatos;
    conf[ConfNombreEmpresa - 1] = "Abarrotes Uno";
    EscribeLineas("C:\\VRL\\Gener1.cnf", conf);
    QString todos(kNumeroDerechos, u's');
    QString libre = todos;
    libre[DerechoLimitarVendedor - 1] = u'n';
    QString sinVentas = todos;
    sinVentas[DerechoFacturacion - 1] = u'n';
    EscribeUsuarios({{"adm", todos}, {"caja", todos}, {"otra", libre}, {"bodega", sinVentas}});
    CreaTablasEmpresa(db::Carpetas{kDatos, {}, {}, kPrograma});
    EscribeOpciones();
    fs::FijaAhora(QDateTime(QDate(2010, 3, 5), QTime(10, 15, 0)));
  }

  // The users file, master and working copy: user i has password and rights
  // usuarios[i].
  static void EscribeUsuarios(const QList<std::pair<QString, QString>>& usuarios) {
    const QByteArray bytes = ArchivoUsuarios(usuarios);
    EscribeBytes(fs::Une(kDatos, "usuarios.def"), bytes);
    EscribeBytes(fs::Une(kPrograma, "usuarios.def"), bytes);
  }

  // Line n of the company configuration.
  static void FijaLinea(int linea, const QString& valor) {
    const QString archivo = "C:\\VRL\\Gener1.cnf";
    QStringList lineas = fs::LeeLineas(archivo);
    lineas[linea - 1] = valor;
    EscribeLineas(archivo, lineas);
  }

  // encabeza.cnf with every option "N" and the plain shortcut captions,
  // then the given lines (from 1) replaced.
  static void EscribeOpciones(const QMap<int, QString>& cambios = {}) {
    QStringList lineas = {"N", "N", "Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "N",
                          "N", "N", "N", "N", "N", "N", "N", "N", "N"};
    for (auto it = cambios.begin(); it != cambios.end(); ++it) lineas[it.key() - 1] = it.value();
    EscribeLineas(fs::Une(kPrograma, "encabeza.cnf"), lineas);
  }

  // A row of a table (of the data folder unless told), its fields given as
  // texts.
  static void AgregaFila(const QString& archivo, const QMap<QString, QString>& campos,
                         const QString& carpeta = kDatos) {
    db::Tabla t;
    t.SetCarpeta(carpeta);
    t.SetNombreTabla(archivo);
    t.Open();
    t.Append();
    for (auto it = campos.begin(); it != campos.end(); ++it) t.FieldByName(it.key()).SetAsString(it.value());
    t.Post();
  }

  // A header row of the remissions.
  static void AgregaRemision(int numero, QMap<QString, QString> campos) {
    campos["CLDOC_F"] = QString::number(numero);
    AgregaFila("Remision.dbf", campos);
  }

  // Makes the sale screen for the user, shows it through the modal gate,
  // runs `mira` on it while it is shown (after its first activation) and
  // frees it, as the main menu's opener does.
  static void Abre(const QString& usuario, const std::function<void(TFormaCapturaRapida&)>& mira) {
    auto pantalla = std::make_unique<TFormaCapturaRapida>();
    pantalla->usuario->setText(usuario);
    bool corrio = false;
    ui::PuertaModal::Espera("TFormaCapturaRapida", [mira, &corrio](QDialog& d) {
      auto& p = static_cast<TFormaCapturaRapida&>(d);
      try {
        mira(p);
        corrio = true;
      } catch (const std::exception& e) {
        ADD_FAILURE() << "excepción: " << e.what();
      }
      // A document left in capture is given up when the screen closes.
      if (p.isVisible() && (ui::Tag(p.BotonNuevo) == 1 || ui::Tag(p.BotonCambios) == 1)) prueba::RespondeCierre(2);
    });
    pantalla->ShowModal();
    // A screen that never showed, or checks cut short, fail the test.
    EXPECT_TRUE(corrio) << "la pantalla no llegó a mostrarse o sus pruebas no terminaron";
  }
};
