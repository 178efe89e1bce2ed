#include "pos/EstadoComandos.h"

#include "platform/ui/Aplicacion.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QVariant>

namespace {

const char* const kPermitido = "Permitido";
const char* const kConComando = "ConComando";
const char* const kInactivo = "Inactivo";

}  // namespace

void AplicaEstadoComando(QObject* comando) {
  auto* item = qobject_cast<QAction*>(comando);
  const bool tiene = (item && item->menu()) || comando->property(kConComando).toBool();
  const bool habilitado = ComandoPermitido(comando) && tiene && !comando->property(kInactivo).toBool();
  if (item) item->setEnabled(habilitado);
  else if (auto* boton = qobject_cast<QWidget*>(comando)) boton->setEnabled(habilitado);
}

void AsignaComando(QObject* item, QObject* contexto, std::function<void()> comando) {
  item->setProperty(kConComando, true);
  if (auto* accion = qobject_cast<QAction*>(item))
    ui::Conecta(accion, &QAction::triggered, contexto, std::move(comando));
  else if (auto* boton = qobject_cast<QAbstractButton*>(item))
    ui::Conecta(boton, &QAbstractButton::clicked, contexto, std::move(comando));
  AplicaEstadoComando(item);
}

void PermiteComando(QObject* item, bool permitido) {
  item->setProperty(kPermitido, permitido);
  AplicaEstadoComando(item);
}

bool ComandoPermitido(const QObject* item) {
  const QVariant permitido = item->property(kPermitido);
  return !permitido.isValid() || permitido.toBool();
}

void DesactivaComando(QObject* item) {
  item->setProperty(kInactivo, true);
  AplicaEstadoComando(item);
}
