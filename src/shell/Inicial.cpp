#include "shell/Inicial.h"

#include "platform/Error.h"
#include "platform/db/Campo.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormaInicial::TFormaInicial(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaInicial>() = this;
  setObjectName(QStringLiteral("FormaInicial"));
  setWindowTitle(QStringLiteral("Ajustes Iniciales"));
  setFixedSize(330, 140);

  const auto etiqueta = [this](const char* nombre, const QString& texto, int x, int y) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setGeometry(x, y, 70, 21);
    return l;
  };
  const auto caja = [this](const char* nombre, int x, int y) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setGeometry(x, y, 70, 21);
    return e;
  };
  Label1 = etiqueta("Label1", QStringLiteral("Remisión"), 16, 20);
  Edit1 = caja("Edit1", 90, 20);
  Edit3 = caja("Edit3", 168, 20);
  LabelAjuste = etiqueta("LabelAjuste", QString(), 252, 20);
  Label2 = etiqueta("Label2", QStringLiteral("Factura"), 16, 52);
  Edit2 = caja("Edit2", 90, 52);
  Edit4 = caja("Edit4", 168, 52);
  LabelAjuste2 = etiqueta("LabelAjuste2", QString(), 252, 52);

  LabelRuta = new QLabel(this);
  LabelRuta->setObjectName(QStringLiteral("LabelRuta"));
  LabelRuta->hide();

  BitBtn1 = new QPushButton(QStringLiteral("&Guardar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(120, 96, 90, 27);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

QString TFormaInicial::RutaFolios() const {
  if (LabelRuta->text().isEmpty())
    throw plat::Error(plat::Clase::NoExiste, QStringLiteral("No se indicó la carpeta de datos de ") + kArchivoFolios);
  return fs::Une(LabelRuta->text(), kArchivoFolios);
}

// The other lines keep what the opener put in their controls: the numbers
// of the tables as they are now.
void TFormaInicial::FormShow() {
  const QString ruta = RutaFolios();
  if (!fs::ExisteArchivo(ruta)) return;
  const QStringList lineas = fs::LeeLineas(ruta);
  Edit1->setText(lineas.value(0));
  Edit2->setText(lineas.value(3));
}

// The sale screen reads the file whenever it is shown: it is replaced whole.
void TFormaInicial::BitBtn1Click() {
  const auto valor = [](const QString& texto) { return texto.isEmpty() ? QStringLiteral("0") : texto; };
  fs::ReescribeLineas(RutaFolios(), {valor(Edit1->text()), valor(LabelAjuste->text()), valor(Edit3->text()),
                                     valor(Edit2->text()), valor(LabelAjuste2->text()), valor(Edit4->text()),
                                     QString()});
}

UltimoFolio LeeUltimoFolio(const QString& archivo) {
  db::Tabla tabla;
  ApuntaTabla(tabla, archivo);
  tabla.SetReadOnly(true);
  tabla.Open();
  tabla.SetIndexName(QStringLiteral("INUMENC"));
  tabla.Last();
  if (tabla.IsEmpty()) return {};
  const db::Campo& numero = tabla.FieldByName(QStringLiteral("CLDOC_F"));
  const qint64 n = numero.AsInteger();
  UltimoFolio folio{numero.AsString(), n};
  tabla.SetIndexName(QString());  // physical order, on the same record
  if (n >= 1) folio.ajuste = n - tabla.RecNo();
  return folio;
}

std::unique_ptr<TFormaInicial> CreaFormaInicial() {
  const QString datos = CarpetaDatosEmpresa();
  const UltimoFolio remision = LeeUltimoFolio(QStringLiteral("Remision.dbf"));
  const UltimoFolio factura = LeeUltimoFolio(QStringLiteral("FacturaE.dbf"));
  auto forma = std::make_unique<TFormaInicial>();
  forma->LabelRuta->setText(datos);
  forma->Edit3->setText(remision.texto);
  forma->LabelAjuste->setText(QString::number(remision.ajuste));
  forma->Edit4->setText(factura.texto);
  forma->LabelAjuste2->setText(QString::number(factura.ajuste));
  return forma;
}
