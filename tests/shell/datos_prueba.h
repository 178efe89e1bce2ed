#pragma once
// One company whose data folder is C:\DATOS: the start file and Gener1.cnf
// with the initial values, line 8 pointing there (and line 63 when a test
// sets a remission folder). Helpers to make users files, to fill registered
// tables and to show a window through the modal gate.

#include "foundation/rutinas.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "support/RaizPrueba.h"
#include "tablas/TablasVorlan.h"

#include <QDialog>
#include <QVariantList>

#include <functional>

inline const QString kDatos = QStringLiteral("C:\\DATOS");

class DatosPrueba : public RaizPrueba {
 protected:
  void SetUp() override {
    RaizPrueba::SetUp();
    EscribeLineas(kArchivoInicio, {"C:\\VRL", "C:\\VRL\\Gener1.cnf", ""});
    Configura(kDatos, QString());
    fs::CreaCarpeta(kDatos);
  }

  // Gener1.cnf with the data folder (line 8) and the remission folder (63).
  static void Configura(const QString& datos, const QString& remisiones) {
    QStringList v = ValoresInicialesConfiguracion();
    v[ConfCarpetaDatos - 1] = datos;
    v[ConfCarpetaRemisiones - 1] = remisiones;
    EscribeLineas("C:\\VRL\\Gener1.cnf", v);
  }
};

// The bytes of a users file: user i is "Usuario i" with password claves[i]
// and these rights.
inline QByteArray BytesUsuarios(const QStringList& claves, const QString& derechos = QString(kNumeroDerechos, u's')) {
  QByteArray bytes;
  for (int i = 0; i < claves.size(); ++i) {
    TRegistroUsuario r;
    r.NumeroUsuario = i;
    r.NombreUsuario = QStringLiteral("Usuario %1").arg(i);
    r.ClaveUsuario = claves[i];
    r.Derechos = derechos;
    bytes += r.ABytes();
  }
  return bytes;
}

// Runs the window modally through the gate, answered by `guion`.
template <class T>
void MuestraVentana(T& ventana, const std::function<void(T&)>& guion) {
  ui::PuertaModal::Espera(T::staticMetaObject.className(), [&guion](QDialog& d) { guion(static_cast<T&>(d)); });
  ventana.ShowModal();
}

// The registered table `archivo` (of the folder role `rol`) made empty in
// `carpeta`, over any old one, with one row per value of `campo`, in that
// physical order (an invalid value leaves the field blank).
inline void LlenaTablaRegistrada(db::CarpetaTabla rol, const QString& carpeta, const QString& archivo,
                                 const QString& campo, const QVariantList& valores) {
  const db::DefTabla& def = CatalogoVorlan().Tabla(rol, archivo);
  fs::CreaCarpeta(carpeta);
  db::Tabla::Crea(carpeta, def.archivo, def.campos, def.tags);
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(def.archivo);
  t.Open();
  for (const QVariant& valor : valores) {
    t.Append();
    t.FieldByName(campo).SetValue(valor);
    t.Post();
  }
}
