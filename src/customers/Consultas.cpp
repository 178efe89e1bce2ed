#include "customers/Consultas.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_tablas.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/ui/Forma.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QApplication>

db::Tabla* NuevaTablaConsulta(QObject* padre, const char* nombre, const char* archivo, const QString& tag) {
  auto* t = new db::Tabla(padre);
  t->setObjectName(QString::fromLatin1(nombre));
  t->SetNombreTabla(QString::fromLatin1(archivo));
  t->SetIndexName(tag);
  return t;
}

ui::RejillaDatos* RejillaConsulta(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente,
                                  std::initializer_list<std::pair<const char*, const char*>> columnas) {
  auto* r = new ui::RejillaDatos(padre);
  r->setObjectName(QString::fromLatin1(nombre));
  r->SetSoloLectura(true);
  r->setSelectionBehavior(QAbstractItemView::SelectRows);
  for (const auto& [campo, titulo] : columnas) r->AgregaColumna(QString::fromLatin1(campo), QString::fromUtf8(titulo));
  r->SetFuente(fuente);
  return r;
}

ui::Navegador* NavegadorConsulta(QWidget* padre, const char* nombre, ui::FuenteDatos* fuente) {
  auto* n = new ui::Navegador(padre);
  n->setObjectName(QString::fromLatin1(nombre));
  n->SetFuente(fuente);
  return n;
}

void ApuntaADatos(ui::Forma& forma) {
  const db::Carpetas carpetas = CarpetasEmpresa();
  const auto tablas = forma.findChildren<db::Tabla*>();
  for (db::Tabla* t : tablas) {
    ApuntaTabla(*t, carpetas);
    AbreTabla(*t);
  }
}

void EnClaveCercana(db::Tabla& tabla, const QString& clave) {
  if (!tabla.Active()) return;
  tabla.Refresh();
  try {
    tabla.FindNearest({clave});
  } catch (const plat::Error&) {
    tabla.First();
  }
}

QString CampoActual(const ui::RejillaDatos& rejilla, const char* campo) {
  const db::Dataset* d = rejilla.Fuente() ? rejilla.Fuente()->DataSet() : nullptr;
  if (!d || !d->Active() || d->IsEmpty()) return QString();
  return d->FieldByName(QString::fromLatin1(campo)).AsString();
}

bool EnComponente(const QWidget* componente) {
  const QWidget* foco = QApplication::focusWidget();
  return foco && (foco == componente || componente->isAncestorOf(foco));
}

int NumeroDeUsuario(const QString& texto) {
  bool numero = false;
  const int usuario = texto.toInt(&numero);
  return numero ? usuario : -1;
}
