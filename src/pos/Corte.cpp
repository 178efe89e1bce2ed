#include "pos/Corte.h"

#include "foundation/dialogos.h"
#include "foundation/rutinas.h"
#include "foundation/rutinas_bitacora.h"
#include "foundation/rutinas_fecha.h"
#include "foundation/rutinas_numero.h"
#include "foundation/rutinas_usuarios.h"
#include "platform/Error.h"
#include "platform/db/Numeracion.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Reloj.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/Eventos.h"
#include "platform/ui/FuenteDatos.h"
#include "platform/ui/RejillaDatos.h"
#include "pos/DocumentosVenta.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <utility>

QString RutaDatosCorte;

namespace {

const QString kTablaCortes = QStringLiteral("Cortes.DBF");
const QString kTagCortes = QStringLiteral("CORTE");

// A whole number as the class library reads one; its conversion message
// otherwise.
qint64 EnteroCorte(const QString& texto) {
  static const QRegularExpression kEntero(QStringLiteral("^ *[+-]?[0-9]+$"));
  bool ok = kEntero.match(texto).hasMatch();
  const qint64 valor = ok ? texto.trimmed().toLongLong(&ok) : 0;
  if (!ok) throw plat::Error(plat::Clase::Conversion, QStringLiteral("'%1' no es un valor entero válido").arg(texto));
  return valor;
}

void AbreCortes(db::Tabla& tabla, const QString& carpeta) {
  tabla.Close();
  tabla.SetCarpeta(carpeta);
  tabla.SetNombreTabla(kTablaCortes);
  tabla.SetIndexName(kTagCortes);
  tabla.Open();
}

qint64 CampoEntero(const db::Tabla& tabla, const char* campo) {
  return tabla.IsEmpty() ? 0 : tabla.FieldByName(QString::fromLatin1(campo)).AsInteger();
}

QLabel* Etiqueta(QWidget* padre, const char* nombre, const QString& texto) {
  auto* l = new QLabel(texto, padre);
  l->setObjectName(QString::fromLatin1(nombre));
  return l;
}

QLineEdit* Caja(QWidget* padre, const char* nombre) {
  auto* e = new QLineEdit(padre);
  e->setObjectName(QString::fromLatin1(nombre));
  return e;
}

QPushButton* Boton(QWidget* padre, const char* nombre, const QString& texto) {
  auto* b = new QPushButton(texto, padre);
  b->setObjectName(QString::fromLatin1(nombre));
  return b;
}

}  // namespace

QString LineaListaCortes(int n, const QDateTime& momento, const QString& documento) {
  return QStringLiteral("Corte de Caja ") + QString::number(n) + QStringLiteral(" ,") + TextoFechaHora(momento) +
         QStringLiteral(" ,") + TextoReal(NumeroFechaHora(momento)) + u',' + documento;
}

TFormaCorte::TFormaCorte(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaCorte>() = this;
  setObjectName(QStringLiteral("FormaCorte"));
  setWindowTitle(QStringLiteral("FormaCorte"));
  resize(720, 480);

  TablaCortes = new db::Tabla(this);
  TablaCortes->setObjectName(QStringLiteral("TablaCortes"));
  DataSource1 = new ui::FuenteDatos(this);
  DataSource1->setObjectName(QStringLiteral("DataSource1"));
  DataSource1->SetDataSet(TablaCortes);

  Panel1 = new ui::Panel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  DBGrid1 = new ui::RejillaDatos(Panel1);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->SetFuente(DataSource1);
  DBGrid1->SetSoloLectura(true);
  for (const auto& [campo, ancho] : {std::pair{"CORTE", 60}, std::pair{"FECHA", 90}, std::pair{"HORA", 80},
                                     std::pair{"INICIO", 80}, std::pair{"FIN", 80}, std::pair{"USUARIO", 70},
                                     std::pair{"CONTROL", 120}})
    DBGrid1->AgregaColumna(QString::fromLatin1(campo), QString::fromLatin1(campo), ancho);
  ListaCortes = new QListWidget(Panel1);
  ListaCortes->setObjectName(QStringLiteral("ListaCortes"));
  Label1 = Etiqueta(Panel1, "Label1", QStringLiteral("De"));
  Edit1 = Caja(Panel1, "Edit1");
  Label2 = Etiqueta(Panel1, "Label2", QStringLiteral("Hasta"));
  Edit2 = Caja(Panel1, "Edit2");
  LabelClave = Etiqueta(Panel1, "LabelClave", QStringLiteral("Contraseña"));
  Clave = Caja(Panel1, "Clave");
  Clave->setEchoMode(QLineEdit::Password);
  // "De" and "Hasta" also hold the date-time of a cut chosen in the list.
  for (QLineEdit* e : {Edit1, Edit2, Clave}) e->setMinimumWidth(170);
  BotonCorte = Boton(Panel1, "BotonCorte", QStringLiteral("Agregar Corte"));
  BotonAceptar = Boton(Panel1, "BotonAceptar", QStringLiteral("Aceptar"));
  LabelDocumento = Etiqueta(Panel1, "LabelDocumento", QString());
  LabelRuta = Etiqueta(Panel1, "LabelRuta", QString());
  Usuario = Etiqueta(Panel1, "Usuario", QString());
  for (QWidget* w : {static_cast<QWidget*>(LabelClave), static_cast<QWidget*>(Clave),
                     static_cast<QWidget*>(BotonCorte), static_cast<QWidget*>(BotonAceptar),
                     static_cast<QWidget*>(LabelDocumento), static_cast<QWidget*>(LabelRuta),
                     static_cast<QWidget*>(Usuario)})
    w->hide();

  Panel2 = new ui::Panel(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Edit3 = Caja(Panel2, "Edit3");
  BotonCambiarHora = Boton(Panel2, "BotonCambiarHora", QStringLiteral("Cambiar Hora"));
  Panel1->setEnabled(false);
  Panel2->setEnabled(false);

  auto* arriba = new QVBoxLayout(Panel1);
  arriba->addWidget(DBGrid1, 1);
  auto* abajo = new QHBoxLayout;
  abajo->addWidget(ListaCortes, 1);
  auto* campos = new QGridLayout;
  campos->addWidget(Label1, 0, 0);
  campos->addWidget(Edit1, 0, 1);
  campos->addWidget(Label2, 1, 0);
  campos->addWidget(Edit2, 1, 1);
  campos->addWidget(LabelClave, 2, 0);
  campos->addWidget(Clave, 2, 1);
  campos->addWidget(BotonCorte, 3, 0, 1, 2);
  campos->addWidget(BotonAceptar, 4, 0, 1, 2);
  campos->setRowStretch(5, 1);
  abajo->addLayout(campos);
  arriba->addLayout(abajo, 1);
  auto* hora = new QHBoxLayout(Panel2);
  hora->addWidget(Edit3);
  hora->addWidget(BotonCambiarHora);
  hora->addStretch(1);
  auto* capas = new QVBoxLayout(this);
  capas->addWidget(Panel1, 1);
  capas->addWidget(Panel2);

  ui::Conecta(BotonCorte, &QPushButton::clicked, this, [this] { BotonCorteClick(); });
  ui::Conecta(BotonAceptar, &QPushButton::clicked, this, [this] { BotonAceptarClick(); });
  ui::Conecta(ListaCortes, &QListWidget::itemClicked, this, [this] { ListaCortesClick(); });
  ui::Conecta(&ui::Eventos::De(ListaCortes), &ui::Eventos::KeyUp, this, [this] { ListaCortesClick(); });

  // The date of the lower panel: tomorrow.
  Edit3->setText(TextoFecha(fs::Hoy().addDays(1)));
  ui::CentraEnPantalla(*this);
}

QString TFormaCorte::ArchivoLista() const {
  return fs::Une(fs::Une(RutaDatosCorte, QStringLiteral("Cortes")), QStringLiteral("Cortes.dat"));
}

void TFormaCorte::FormShow() {
  RutaDatosCorte = LabelRuta->text();
  const QString carpeta = fs::Une(RutaDatosCorte, QStringLiteral("Cortes"));
  if (!fs::ExisteCarpeta(carpeta)) fs::CreaCarpeta(carpeta);
  ListaCortes->clear();
  if (fs::ExisteArchivo(ArchivoLista())) ListaCortes->addItems(fs::LeeLineas(ArchivoLista()));
  AbreCortes(*TablaCortes, RutaDatosCorte);
  TablaCortes->Last();
  Edit1->setText(QString::number(CampoEntero(*TablaCortes, "FIN") + 1));
  Edit2->setText(LabelDocumento->text());
}

void TFormaCorte::FormClose() {
  // The list as the window leaves it; a folder that cannot be written
  // keeps the list it had.
  QStringList lineas;
  for (int i = 0; i < ListaCortes->count(); ++i) lineas << ListaCortes->item(i)->text();
  try {
    fs::ReescribeLineas(ArchivoLista(), lineas);
  } catch (const plat::Error&) {
  }
}

void TFormaCorte::ListaCortesClick() {
  const int fila = ListaCortes->currentRow();
  if (fila < 1) return;
  QString de = Edit1->text(), hasta = Edit2->text();
  ElementoComa(ListaCortes->item(fila - 1)->text(), 2, de);
  ElementoComa(ListaCortes->item(fila)->text(), 2, hasta);
  Edit1->setText(de);
  Edit2->setText(hasta);
}

void TFormaCorte::BotonCorteClick() {
  // Every number is read before anything is written.
  const qint64 de = EnteroCorte(Edit1->text());
  const qint64 hasta = EnteroCorte(Edit2->text());
  if (hasta <= de) {
    MuestraMensaje(QStringLiteral("No puede crearse el Corte"));
    return;
  }
  bool numero = false;
  const int usuario = Usuario->text().trimmed().toInt(&numero);
  if (!TieneDerecho(numero ? usuario : -1, DerechoCrearCortes)) {
    MuestraMensaje(QStringLiteral("No puede crear el corte..."));
    return;
  }
  const qint64 documento = EnteroCorte(LabelDocumento->text());

  // The number and the range are read and the row appended while this
  // station holds the table's numbering, so two stations closing at once
  // never share a cut number or a range. A cut that cannot be written adds
  // no list line either.
  const QDateTime ahora = fs::Ahora();
  {
    db::Numeracion numeracion(*TablaCortes);
    TablaCortes->Last();
    const qint64 ultimoFin = CampoEntero(*TablaCortes, "FIN");
    if (ultimoFin < documento) {
      const qint64 corte = CampoEntero(*TablaCortes, "CORTE") + 1;
      TablaCortes->Append();
      const auto campo = [this](const char* nombre) -> db::Campo& {
        return TablaCortes->FieldByName(QString::fromLatin1(nombre));
      };
      try {
        campo("CORTE").SetAsInteger(corte);
        campo("CONTROL").SetAsFloat(NumeroFechaHora(ahora));
        campo("FECHA").SetAsDate(ahora.date());
        campo("HORA").SetAsString(TextoHora(ahora.time()));
        campo("INICIO").SetAsInteger(ultimoFin + 1);
        campo("FIN").SetAsInteger(documento);
        campo("USUARIO").SetAsString(Usuario->text());
        TablaCortes->Post();
      } catch (...) {
        TablaCortes->Cancel();
        throw;
      }
    }
  }
  ListaCortes->addItem(LineaListaCortes(ListaCortes->count() + 1, ahora, LabelDocumento->text()));
}

void TFormaCorte::BotonAceptarClick() {
  SetTag(2);
  Close();
}
