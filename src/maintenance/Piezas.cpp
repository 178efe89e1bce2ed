#include "maintenance/Piezas.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_fecha.h"
#include "platform/fs/Reloj.h"

#include <QDateTime>

namespace piezas {

QLabel* Etiqueta(QWidget* padre, const QString& texto, const QRect& caja) {
  auto* etiqueta = new QLabel(texto, padre);
  etiqueta->setGeometry(caja);
  return etiqueta;
}

QProgressBar* Medidor(QWidget* padre, const char* nombre, const QRect& caja) {
  auto* medidor = Nombrado(new QProgressBar(padre), nombre);
  medidor->setRange(0, 100);
  medidor->setValue(0);
  medidor->setGeometry(caja);
  return medidor;
}

QToolButton* BotonRapido(QWidget* padre, const char* nombre, const QString& texto, const QRect& caja) {
  auto* boton = Nombrado(new QToolButton(padre), nombre);
  boton->setText(texto);
  boton->setGeometry(caja);
  return boton;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto, const QRect& caja) {
  auto* boton = Nombrado(new QPushButton(texto, padre), nombre);
  boton->setGeometry(caja);
  return boton;
}

QLineEdit* Caja(QWidget* padre, const char* nombre, const QRect& caja) {
  auto* edit = Nombrado(new QLineEdit(padre), nombre);
  edit->setGeometry(caja);
  return edit;
}

QListWidget* Lista(QWidget* padre, const char* nombre, const QRect& caja) {
  auto* lista = Nombrado(new QListWidget(padre), nombre);
  lista->setGeometry(caja);
  return lista;
}

QString LineaBitacora(const QString& texto) {
  const QDateTime ahora = fs::Ahora();
  return texto + TextoFecha(ahora.date()) + QStringLiteral("  ") + TextoHora(ahora.time());
}

}  // namespace piezas
