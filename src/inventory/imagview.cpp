#include "inventory/imagview.h"

#include "foundation/ImprimeDocumento.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_texto.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

const QSize kCajaImagen(321, 313);

}  // namespace

TFormaImagen::TFormaImagen(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaImagen>() = this;
  setObjectName(QStringLiteral("FormaImagen"));
  setWindowTitle(QStringLiteral("Imágen y Descripción"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(560, 352);

  const ui::BarraTitulo barra = ui::CreaBarraTitulo(this, QRect(4, 4, 552, 20), QStringLiteral("  Imágen y Descripción  "),
                                                    QStringLiteral("Panel1"), QStringLiteral("Label1"),
                                                    QStringLiteral("Panel2"));
  Panel1 = barra.barra;
  Label1 = barra.titulo;
  Panel2 = barra.cierre;
  Panel2->raise();

  Imagen = new QLabel(this);
  Imagen->setObjectName(QStringLiteral("Imagen"));
  Imagen->setGeometry(QRect(QPoint(8, 30), kCajaImagen));
  Imagen->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Descripcion = new QPlainTextEdit(this);
  Descripcion->setObjectName(QStringLiteral("Descripcion"));
  Descripcion->setGeometry(338, 30, 214, 240);

  const auto boton = [this](const char* nombre, const QString& texto, int x, int y) {
    auto* b = new QToolButton(this);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setText(texto);
    b->setGeometry(x, y, 104, 28);
    return b;
  };
  SpeedButton1 = boton("SpeedButton1", QStringLiteral("&Guardar"), 338, 278);
  SpeedButton2 = boton("SpeedButton2", QStringLiteral("&Borrar"), 448, 278);
  BotonImprimir = boton("BotonImprimir", QStringLiteral("&Imprimir"), 338, 312);
  BotonSalir = boton("BotonSalir", QStringLiteral("&Salir"), 448, 312);

  ui::Conecta(&ui::Eventos::De(Imagen), &ui::Eventos::DblClick, this, [this] { ImagenDblClick(); });
  ui::Conecta(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  ui::Conecta(BotonImprimir, &QToolButton::clicked, this, [this] { BotonImprimirClick(); });
  ui::Conecta(BotonSalir, &QToolButton::clicked, this, [this] { Close(); });
  ui::Conecta(Panel2, &ui::Panel::Click, this, [this] { Close(); });
}

QString TFormaImagen::ArchivoDescripcion() const { return archivo_ + QStringLiteral(".dat"); }

void TFormaImagen::CargaImagen(const QString& archivo) {
  const QImage foto = print::LeeImagen(fs::Local(archivo));
  archivo_ = archivo;
  Imagen->resize(kCajaImagen);
  Imagen->setScaledContents(false);
  Imagen->setPixmap(QPixmap::fromImage(foto));
  const QString descripcion = ArchivoDescripcion();
  Descripcion->setPlainText(fs::ExisteArchivo(descripcion) ? fs::LeeLineas(descripcion).join(u'\n') : QString());
}

// Fitted to the box's width; stretched or not by turns, and when not, as
// tall as the picture.
void TFormaImagen::ImagenDblClick() {
  const QSize foto = Imagen->pixmap().size();
  if (foto.isEmpty()) return;
  Imagen->resize(Imagen->width(), int(foto.height() / (double(foto.width()) / Imagen->width())));
  Imagen->setScaledContents(!Imagen->hasScaledContents());
  if (!Imagen->hasScaledContents() && foto.height() > Imagen->height()) Imagen->resize(Imagen->width(), foto.height());
}

void TFormaImagen::SpeedButton1Click() { fs::ReescribeLineas(ArchivoDescripcion(), LineasDeTexto(Descripcion->toPlainText())); }

void TFormaImagen::BotonImprimirClick() {
  if (!ImpresoraLista()) {
    MuestraMensaje(kImpresoraNoLista);
    return;
  }
  Panel1->hide();
  const QImage ventana = grab().toImage();
  Panel1->show();
  ImprimeVentana(ventana, size(), logicalDpiX(), windowTitle());
}

void MuestraImagen(const QString& archivo) {
  TFormaImagen forma;
  if (!fs::ExisteArchivo(archivo)) {
    MuestraMensaje(kSinImagen);
    return;
  }
  forma.CargaImagen(archivo);
  forma.ShowModal();
}
