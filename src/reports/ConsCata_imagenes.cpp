// The browser's picture strip: the pictures of four products with their
// key, description and stock beside them.

#include "reports/ConsCata.h"

#include "foundation/rutinas.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/RejillaDatos.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

void TFormaCatalogo::ConstruyeImagenes() {
  auto* panel = new ui::Panel(this, ui::Panel::Bisel::Plano);
  panel->setObjectName(QStringLiteral("Panel2"));
  panel->setAutoFillBackground(true);
  QPalette blanco = panel->palette();
  blanco.setColor(QPalette::Window, Qt::white);
  panel->setPalette(blanco);
  auto* rejilla = new QGridLayout(panel);
  for (int k = 0; k < 4; ++k) {
    auto* imagen = new QLabel(panel);
    imagen->setObjectName(QStringLiteral("Image%1").arg(k + 1));
    imagen->setScaledContents(true);
    imagen->setFixedSize(120, 90);
    auto* caja = new CajaImagenCatalogo(panel);
    caja->setObjectName(QStringLiteral("PaintBox%1").arg(k + 1));
    caja->setMinimumSize(400, 60);
    rejilla->addWidget(imagen, k, 0);
    rejilla->addWidget(caja, k, 1);
    Imagenes[k] = imagen;
    Cajas[k] = caja;
  }
  panel->hide();
  Panel2 = panel;
  // A click on the strip closes the window.
  ui::Conecta(panel, &ui::Panel::Click, this, [this] { Close(); });
}

void TFormaCatalogo::MuestraModoImagenes() {
  DetalleCatalogo->hide();
  Panel2->show();
}

void TFormaCatalogo::MuestraPaginaImagenes() {
  if (!TablaConsulta->Active()) return;
  QString programa;
  CarpetaLocal(programa);
  const QString blanco = fs::Une(programa, QStringLiteral("blanco.bmp"));
  db::Tabla& t = *TablaConsulta;
  for (int k = 0; k < 4; ++k) {
    QStringList lineas;
    QString archivo = blanco;
    if (!t.IsEmpty()) {
      const QString imagen = t.FieldByName(QStringLiteral("IMAGE_I")).AsString();
      if (!imagen.isEmpty() && fs::ExisteArchivo(imagen)) archivo = imagen;
      lineas << t.FieldByName(QStringLiteral("CLPRO_I")).AsString() << t.FieldByName(QStringLiteral("DSCPR_I")).AsString()
             << t.FieldByName(QStringLiteral("EXIST_I")).AsString();
    }
    QPixmap dibujo;
    try {
      dibujo = QPixmap::fromImage(print::LeeImagen(fs::Local(archivo)));
    } catch (const std::exception&) {
      // A picture that cannot be read leaves the place empty.
    }
    Imagenes[k]->setPixmap(dibujo);
    Imagenes[k]->setProperty("archivo", dibujo.isNull() ? QString() : archivo);
    Cajas[k]->SetLineas(lineas);
    t.Next();
  }
}

void TFormaCatalogo::DBNavigator1Click() {
  if (!Panel2->isHidden()) MuestraPaginaImagenes();
}
