#include "pos/CaptuRap_comun.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "inventory/CamposRegistro.h"
#include "inventory/RegistroProducto.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/process/Procesos.h"
#include "pos/TeclasVenta.h"

#include <QAction>
#include <QLabel>
#include <QWidget>

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto, int x, int y) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(QString::fromLatin1(nombre));
  l->move(x, y);
  l->adjustSize();
  return l;
}

void PintaColor(QWidget* w, ui::TColor color) {
  QPalette paleta = w->palette();
  paleta.setColor(QPalette::Window, ui::ColorQt(color, paleta));
  w->setPalette(paleta);
}

void PintaFondo(QWidget* w, ui::TColor color) {
  PintaColor(w, color);
  w->setAutoFillBackground(true);
}

void PintaTexto(QWidget* w, const QColor& color) {
  QPalette paleta = w->palette();
  paleta.setColor(QPalette::WindowText, color);
  w->setPalette(paleta);
}

std::optional<QString> PrimeraLinea(const QString& archivo) {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\") + archivo);
  if (!fs::ExisteArchivo(ruta)) return std::nullopt;
  return fs::LeeLineas(ruta).value(0);
}

QString LineaConf(int linea) {
  QString valor;
  LeeLineaConfig(linea, valor);
  return valor;
}

bool Editando(const db::Dataset& tabla) {
  return tabla.State() == db::Dataset::Estado::Editando || tabla.State() == db::Dataset::Estado::Insertando;
}

bool HayFila(const db::Dataset& tabla) { return Editando(tabla) || (tabla.Active() && !tabla.IsEmpty()); }

void EditaFila(db::Dataset& tabla) {
  if (tabla.State() == db::Dataset::Estado::Navegando) tabla.Edit();
}

void PostPendiente(db::Dataset& tabla) {
  if (Editando(tabla)) tabla.Post();
}

TRegistroProducto ProductoActual(const db::Tabla& productos) {
  TRegistroProducto producto;
  producto.Lee(productos);
  return producto;
}

QString TextoCeldaCaptura(const db::Campo& campo, const QVariant& valor, const QString& texto, int digitosCantidad,
                          const QString& mascaraCantidad) {
  if (!valor.isValid()) return texto;
  const db::TipoDato tipo = campo.Tipo();
  const bool numero = tipo == db::TipoDato::Entero || tipo == db::TipoDato::Flotante || tipo == db::TipoDato::Moneda;
  if (digitosCantidad > 0 && numero) return FormatoMascara(mascaraCantidad, valor.toDouble());
  if (tipo == db::TipoDato::Moneda) return FormatoMascara(QStringLiteral("###,##0.00"), valor.toDouble());
  return texto;
}

QColor PintaCampo(QWidget* campo, ui::TColor color) {
  QPalette paleta = campo->palette();
  const QColor anterior = paleta.color(QPalette::Base);
  paleta.setColor(QPalette::Base, ui::ColorQt(color, paleta));
  campo->setPalette(paleta);
  return anterior;
}

void RestauraColorCampo(QWidget* campo, const QColor& anterior) {
  if (!anterior.isValid()) return;
  QPalette paleta = campo->palette();
  paleta.setColor(QPalette::Base, anterior);
  campo->setPalette(paleta);
}

QString TextoCambioDocumento(const db::Dataset& encabezado) {
  const Dinero recibido = registro::LeeImporte(encabezado.FieldByName(QStringLiteral("CAMBI_F"))).value_or(Dinero());
  if (recibido <= Dinero()) return QStringLiteral("Cambio 0.00");
  const Dinero total = registro::LeeImporte(encabezado.FieldByName(QStringLiteral("IMTOD_F"))).value_or(Dinero());
  return TextoCambio(recibido, total);
}

void CambiaCapturaEmpaque(const QString& usuario, QAction* item, std::initializer_list<QWidget*> empaque) {
  if (usuario != QStringLiteral("0")) return;
  const bool marcada = !item->isChecked();
  fs::ReescribeLineas(CarpetaPrograma(QStringLiteral("\\empaque.cnf")),
                      {marcada ? QStringLiteral("S") : QStringLiteral("N")});
  item->setChecked(marcada);
  for (QWidget* w : empaque) w->setVisible(marcada);
}

void EditaCampoTara() {
  const proc::Resultado r =
      proc::Ejecuta(QStringLiteral("notepad.exe  ") + CarpetaPrograma(QStringLiteral("\\especial.cnf")));
  if (!r) {
    MuestraMensaje(QStringLiteral("No se pudo abrir el editor: ") + r.error);
    return;
  }
  MuestraMensaje(QStringLiteral("Para que este cambio se lleve a cabo reinicie el sistema..."));
}
