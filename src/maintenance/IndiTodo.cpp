#include "maintenance/IndiTodo.h"

#include "foundation/advierte.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_tablas.h"
#include "inventory/RegistroMovimiento.h"
#include "inventory/RegistroProducto.h"
#include "maintenance/Piezas.h"
#include "maintenance/VerRegis.h"
#include "maintenance/respaldo.h"
#include "platform/Error.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"
#include "shell/LineasConfiguracion.h"
#include "shell/LugarTablas.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

using namespace piezas;

// The companion table emptied and packed with a table by "Borra &Datos".
QString Companera(const QString& tabla) {
  const QString t = tabla.toLower();
  if (t == u"remision.dbf") return QStringLiteral("numero.dbf");
  if (t == u"facturae.dbf") return QStringLiteral("numerof.dbf");
  if (t == u"comprase.dbf") return QStringLiteral("numeroc.dbf");
  if (t == u"inventar.dbf") return QStringLiteral("kardex.dbf");
  return {};
}

// Deletes the records of a table one by one from the first.
void BorraRegistros(db::Tabla& t, const QString& carpeta, const QString& archivo) {
  t.Close();
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.SetExclusive(false);
  t.SetReadOnly(false);
  t.SetIndexName(QString());
  t.Open();
  for (t.First(); !t.IsEmpty(); t.First()) t.Delete();
  t.Close();
}

// Deletes the work tables of a folder (names beginning with "_"); a table
// another station holds stays, named in a message.
void BorraTemporales(const QString& carpeta) {
  for (const QString& archivo : ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf"))) {
    if (!archivo.startsWith(u'_')) continue;
    try {
      db::Tabla::Borra(carpeta, archivo);
    } catch (const plat::Error& e) {
      if (e.clase() == plat::Clase::EnUso) ui::MensajeSimple(MensajeTablaEnUso(archivo));
    }
  }
}

}  // namespace

TFormaReindexaTodo::TFormaReindexaTodo(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaReindexaTodo>() = this;
  setObjectName(QStringLiteral("FormaReindexaTodo"));
  setWindowTitle(QStringLiteral("Mantenimiento y Reindexado"));
  setFixedSize(640, 430);
  SetKeyPreview(true);

  Etiqueta(this, QStringLiteral("Ruta de Datos"), {12, 10, 200, 18});
  EditRuta = Caja(this, "EditRuta", {12, 30, 400, 24});
  Lista2 = piezas::Lista(this, "Lista2", {12, 64, 400, 270});
  QPalette negro = Lista2->palette();
  negro.setColor(QPalette::Base, Qt::black);
  negro.setColor(QPalette::Text, Qt::white);
  Lista2->setPalette(negro);
  Memo1 = Nombrado(new QPlainTextEdit(this), "Memo1");
  Memo1->setGeometry(12, 64, 400, 130);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Lista = piezas::Lista(this, "Lista", {12, 200, 195, 134});
  Faltantes = piezas::Lista(this, "Faltantes", {217, 200, 195, 134});
  Archivos = piezas::Lista(this, "Archivos", {0, 0, 10, 10});
  LabelTabla = Nombrado(new QLabel(this), "LabelTabla");
  LabelTabla->setGeometry(12, 342, 400, 18);
  Progreso = Medidor(this, "Progreso", {12, 364, 400, 22});
  ReindexaInicio = Nombrado(new QCheckBox(QStringLiteral("Reindexar al Inicio"), this), "ReindexaInicio");
  RespaldaInicio = Nombrado(new QCheckBox(QStringLiteral("Repaldar al Inicio"), this), "RespaldaInicio");
  RespaldaFinal = Nombrado(new QCheckBox(QStringLiteral("Repaldar al Final"), this), "RespaldaFinal");

  const int x = 430, ancho = 196, alto = 28;
  int y = 30;
  auto boton = [&](const char* nombre, const QString& texto) {
    QPushButton* b = Boton(this, nombre, texto, {x, y, ancho, alto});
    y += alto + 6;
    return b;
  };
  BitBtn1 = boton("BitBtn1", QStringLiteral("Lee indices"));
  BitBtn4 = boton("BitBtn4", QStringLiteral("Guarda Archivo"));
  BitBtn2 = boton("BitBtn2", QStringLiteral("&Reindexa"));
  BitBtn6 = boton("BitBtn6", QStringLiteral("&Checa Indices"));
  BitBtn7 = boton("BitBtn7", QStringLiteral("Reindexa &Incompletos"));
  BitBtn5 = boton("BitBtn5", QStringLiteral("Borra &Temporales"));
  BitBtn10 = boton("BitBtn10", QStringLiteral("Chequeo de R&egistros"));
  BitBtn11 = boton("BitBtn11", QStringLiteral("Borra &Datos"));
  BitBtn12 = boton("BitBtn12", QStringLiteral("AjusteK"));
  BitBtn8 = boton("BitBtn8", QStringLiteral("Archivo de Configuración"));
  BitBtn3 = boton("BitBtn3", QStringLiteral("Imprime"));
  BitBtn9 = Boton(this, "BitBtn9", QStringLiteral("BitBtn9"), {x, y, ancho, alto});
  for (QWidget* w : std::initializer_list<QWidget*>{Memo1, Lista, Faltantes, Archivos, ReindexaInicio, RespaldaInicio,
                                                     RespaldaFinal, BitBtn8, BitBtn3, BitBtn9})
    w->hide();
  Table1 = Nombrado(new db::Tabla(this), "Table1");

  ui::Conecta(EditRuta, &QLineEdit::editingFinished, this, [this] { LlenaArchivos(EditRuta->text()); });
  const std::pair<QPushButton*, void (TFormaReindexaTodo::*)()> manejadores[] = {
      {BitBtn1, &TFormaReindexaTodo::BitBtn1Click},   {BitBtn4, &TFormaReindexaTodo::BitBtn4Click},
      {BitBtn8, &TFormaReindexaTodo::BitBtn8Click},   {BitBtn2, &TFormaReindexaTodo::BitBtn2Click},
      {BitBtn6, &TFormaReindexaTodo::BitBtn6Click},   {BitBtn7, &TFormaReindexaTodo::BitBtn7Click},
      {BitBtn9, &TFormaReindexaTodo::BitBtn9Click},   {BitBtn5, &TFormaReindexaTodo::BitBtn5Click},
      {BitBtn10, &TFormaReindexaTodo::BitBtn10Click}, {BitBtn11, &TFormaReindexaTodo::BitBtn11Click},
      {BitBtn12, &TFormaReindexaTodo::BitBtn12Click}};
  for (const auto& [b, manejador] : manejadores)
    ui::Conecta(b, &QPushButton::clicked, this, [this, manejador] { (this->*manejador)(); });
  // "Imprime" does nothing.

  QString datos;
  LeeLineaConfig(ConfCarpetaDatos, datos);
  EditRuta->setText(datos);
  // The file list and the options are set up even without a catalogue, so
  // that "Lee indices" can make the first one.
  LlenaArchivos(datos);
  const QString opciones = fs::Une(datos, QStringLiteral("opcion.cnf"));
  if (fs::ExisteArchivo(opciones)) {
    try {
      const QStringList lineas = fs::LeeLineas(opciones);
      QCheckBox* casillas[] = {ReindexaInicio, RespaldaInicio, RespaldaFinal};
      for (int i = 0; i < 3 && i < lineas.size(); ++i) casillas[i]->setChecked(lineas[i] == u"S");
    } catch (const plat::Error&) {
    }
  }
  CargaCatalogo(datos);
  ui::CentraEnPantalla(*this);
}

void TFormaReindexaTodo::FormKeyDown(int& tecla, Qt::KeyboardModifiers shift) {
  if (tecla == Qt::Key_F12) {
    for (QWidget* w : std::initializer_list<QWidget*>{Lista, Faltantes, Memo1}) w->show();
    if ((shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier)
      for (QWidget* w : std::initializer_list<QWidget*>{BitBtn1, BitBtn4, BitBtn3, BitBtn8}) w->show();
  } else if (tecla == Qt::Key_F11) {
    for (QWidget* w : std::initializer_list<QWidget*>{Lista, Faltantes, Memo1}) w->hide();
  }
}

void TFormaReindexaTodo::mouseDoubleClickEvent(QMouseEvent* evento) {
  ui::Forma::mouseDoubleClickEvent(evento);
  ui::Protege([this] { FormDblClick(); });
}

void TFormaReindexaTodo::FormDblClick() {
  Lista2->clear();
  Lista2->addItems(ArchivosDeCarpeta(EditRuta->text(), QStringLiteral("*.dbf")));
}

void TFormaReindexaTodo::BitBtn5Click() {
  Memo1->clear();
  RegistraBitacora(LineaBitacora(QStringLiteral("Borrado Temporales ")));
  BorraTemporales(EditRuta->text());
  QString programa;
  CarpetaLocal(programa);
  LlenaArchivos(programa);
  BorraTemporales(programa);
}

void TFormaReindexaTodo::BitBtn10Click() {
  TFormaVerificaRegistros verificacion(this);
  verificacion.Edit1->setText(EditRuta->text());
  verificacion.SetTag(0);
  verificacion.ShowModal();
  if (verificacion.Tag() != 1) return;
  RegistraBitacora(LineaBitacora(QStringLiteral("Reindexado Total ")));
  Memo1->clear();
  if (!CargaCatalogo(EditRuta->text())) return;
  EmpiezaResumen(EditRuta->text());
  ReindexaCatalogo();
  MuestraResumen();
}

void TFormaReindexaTodo::BitBtn11Click() {
  {
    TFormaAdvertencia pregunta(this);
    pregunta.Label1->setText(QStringLiteral("Recuerde que el siguente Proceso es muy DELICADO Desea Continuar?..."));
    pregunta.Label1->setFixedWidth(570);
    pregunta.resize(580, pregunta.height());
    pregunta.ShowModal();
    if (pregunta.Tag() != 1) return;
  }
  QListWidgetItem* elegida = Lista2->currentItem();
  if (!elegida || !elegida->isSelected()) {
    ui::MensajeSimple(QStringLiteral("No hay una tabla elegida en la lista"));
    return;
  }
  const QString carpeta = EditRuta->text();
  const QString tabla = elegida->text();
  BorraRegistros(*Table1, carpeta, tabla);
  const QString companera = Companera(tabla);
  if (companera.isEmpty()) return;
  BorraRegistros(*Table1, carpeta, companera);
  EmpacaTabla(carpeta, companera);
}

void TFormaReindexaTodo::AjustaKardex(const QString& clave, db::Tabla& kardex, double existencia) {
  try {
    if (kardex.FindKey({clave})) {
      kardex.Edit();
    } else {
      kardex.Append();
      kardex.FieldByName(QStringLiteral("CLPRO_I")).SetAsString(clave);
    }
    kardex.FieldByName(QStringLiteral("SALID_I")).SetAsFloat(existencia < 0 ? existencia : 0);
    kardex.FieldByName(QStringLiteral("ENTRA_I")).SetAsFloat(existencia < 0 ? 0 : existencia);
    kardex.FieldByName(QStringLiteral("EXIST_I")).SetAsFloat(existencia);
    kardex.Post();
  } catch (...) {
    kardex.Cancel();
    throw;
  }
}

void TFormaReindexaTodo::BitBtn12Click() {
  Table1->Close();
  ApuntaTabla(*Table1, kTablaKardex);
  Table1->SetExclusive(false);
  Table1->SetReadOnly(false);
  Table1->SetIndexName(QString());
  Table1->EmptyTable();
  Table1->SetIndexName(kTagKardex);
  Table1->Open();
  db::Tabla productos;
  ApuntaTabla(productos, kTablaProductos);
  productos.SetReadOnly(true);
  productos.SetIndexName(kTagClaveProducto);
  productos.Open();
  const qint64 n = productos.RecordCount() - 1;
  Progreso->setValue(0);
  qint64 hechos = 0;
  for (productos.First(); !productos.Eof(); productos.Next()) {
    try {
      AjustaKardex(productos.FieldByName(QStringLiteral("CLPRO_I")).AsString(), *Table1,
                   productos.FieldByName(QStringLiteral("EXIST_I")).AsFloat());
    } catch (const plat::Error&) {
      // The product is passed over.
    }
    if (++hechos % 50 == 0 && n > 0) {
      Progreso->setValue(static_cast<int>(std::min<qint64>(100, 100 * hechos / n)));
      Progreso->repaint();
    }
  }
  Progreso->setValue(100);
}
