#include "maintenance/utileria.h"

#include "foundation/dialogos.h"
#include "maintenance/respaldo.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>


const QStringList kArchivosCopiaUtilerias = {
    QStringLiteral("cliente.dbf"),  QStringLiteral("comovinv.dbf"), QStringLiteral("comprasd.dbf"),
    QStringLiteral("comprase.dbf"), QStringLiteral("concepto.dbf"), QStringLiteral("conclie.dbf"),
    QStringLiteral("cuepagar.dbf"), QStringLiteral("facturad.dbf"), QStringLiteral("facturae.dbf"),
    QStringLiteral("inventar.dbf"), QStringLiteral("movinven.dbf"), QStringLiteral("multialm.dbf"),
    QStringLiteral("numserie.dbf"), QStringLiteral("poventas.dbf"), QStringLiteral("proveedo.dbf"),
    QStringLiteral("vendedor.dbf"), QStringLiteral("deta.db"),
};

TFormaUtilerias::TFormaUtilerias(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaUtilerias>() = this;
  setObjectName(QStringLiteral("FormaUtilerias"));
  setWindowTitle(QStringLiteral("Utilerías"));
  setFixedSize(300, 300);

  Lista = new QListWidget(this);
  Lista->setObjectName(QStringLiteral("Lista"));
  Lista->setGeometry(10, 10, 180, 280);
  BitBtn1 = new QPushButton(QStringLiteral("BitBtn1"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(200, 10, 90, 30);
  BotonCrear = new QToolButton(this);
  BotonCrear->setObjectName(QStringLiteral("BotonCrear"));
  BotonCrear->setGeometry(200, 50, 90, 30);
  TablaAuxiliar = new db::Tabla(this);
  TablaAuxiliar->setObjectName(QStringLiteral("TablaAuxiliar"));
  // Enabled by the tag rebuild; nothing runs when it fires. It ticks once
  // a second, as the class library's timers do unless told otherwise.
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);

  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BotonCrear, &QToolButton::clicked, this, [this] { BotonCrearClick(); });
  ui::CentraEnPantalla(*this);
}

void TFormaUtilerias::FormActivate() {
  Lista->clear();
  QStringList tablas = ArchivosDeCarpeta(kCarpetaProyecto, QStringLiteral("*.dbf")) +
                       ArchivosDeCarpeta(kCarpetaProyecto, QStringLiteral("*.db"));
  std::sort(tablas.begin(), tablas.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  Lista->addItems(tablas);
}

void TFormaUtilerias::BitBtn1Click() {
  Timer1->start();
  for (int i = 0; i < Lista->count(); ++i) {
    const QString nombre = Lista->item(i)->text();
    MuestraMensaje(QStringLiteral("indexando la tabla  ") + nombre);
    TablaAuxiliar->Close();
    TablaAuxiliar->SetCarpeta(kCarpetaDatosUtilerias);
    TablaAuxiliar->SetNombreTabla(nombre);
    const QStringList tags = TablaAuxiliar->IndexNames();
    if (tags.isEmpty())
      throw plat::Error(plat::Clase::NoExiste, QStringLiteral("La tabla %1 no tiene índices").arg(nombre));
    TablaAuxiliar->DeleteIndex(tags.first());
    TablaAuxiliar->AddIndex({QStringLiteral("iiro"), QStringLiteral("Clpro_i"), true});
  }
}

void TFormaUtilerias::BotonCrearClick() {
  for (const QString& archivo : kArchivosCopiaUtilerias)
    fs::CopiaArchivo(kCarpetaProyecto + archivo, kCarpetaCopiaUtilerias + archivo);
}
