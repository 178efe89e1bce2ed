#include "maintenance/VerRegis.h"

#include "foundation/rutinas_bitacora.h"
#include "maintenance/IndiTodo.h"
#include "maintenance/Piezas.h"
#include "maintenance/respaldo.h"
#include "platform/Error.h"
#include "platform/db/Revision.h"
#include "platform/db/Tabla.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"
#include "platform/ui/PuertaModal.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

using namespace piezas;
using plat::Clase;

// How often the record reading shows its progress, in records.
constexpr qint64 kPasoEtiqueta = 1000;

QString MensajeNoReparada(const QString& tabla) {
  return QStringLiteral("La tabla %1 está en uso en otra estación; no se pudo revisar ni reparar").arg(tabla);
}

QString DescribeReparacion(const QString& tabla, const db::RevisionTabla& r) {
  QStringList partes;
  if (r.fin.completado)
    partes << QStringLiteral("registro %1 incompleto completado y borrado").arg(r.fin.completado);
  if (r.fin.cuentaCabecera != r.fin.registros)
    partes << QStringLiteral("cuenta de registros %1 corregida a %2").arg(r.fin.cuentaCabecera).arg(r.fin.registros);
  if (r.fin.finAgregado) partes << QStringLiteral("marca de fin restaurada");
  if (!r.tagsRegenerados.isEmpty())
    partes << QStringLiteral("índices regenerados: ") + r.tagsRegenerados.join(QStringLiteral(", "));
  return QStringLiteral("Tabla %1 reparada: ").arg(tabla) + partes.join(QStringLiteral("; "));
}

}  // namespace

int ValidaCaracterCampo(char caracter, QChar tipo) {
  const char t = static_cast<char>(tipo.toUpper().toLatin1());
  const bool digito = caracter >= '0' && caracter <= '9';
  bool valido;
  switch (t) {
    case 'C': return 1;
    case 'D': valido = digito || caracter == ' ' || caracter == '/'; break;
    case 'N':
    case 'F': valido = digito || caracter == ' ' || caracter == '.' || caracter == '-'; break;
    default: return 0;
  }
  if (valido) return 1;
  ui::MensajeSimple(QStringLiteral("error ") + QChar::fromLatin1(t) + (t == 'D' ? QStringLiteral("  ") : QStringLiteral(" ")) +
                    QChar::fromLatin1(caracter));
  return 0;
}

qint64 LeeRegistrosTabla(const QString& carpeta, const QString& archivo,
                         const std::function<void(qint64, qint64)>& avance) {
  db::Tabla t;
  t.SetCarpeta(carpeta);
  t.SetNombreTabla(archivo);
  t.Open();
  const qint64 total = t.RecordCount();
  const int campos = t.FieldCount();
  qint64 hechos = 0;
  qint64 borrados = 0;
  QVector<int> malos;
  t.First();
  while (!t.Eof()) {
    malos.clear();
    for (int i = 0; i < campos; ++i) {
      try {
        t.Fields(i).Value();
      } catch (const plat::Error& e) {
        if (e.clase() != Clase::Conversion) throw;
        malos << i;
      }
    }
    if (malos.isEmpty()) {
      t.Next();
    } else {
      // Deleting stands on the record that follows.
      t.Edit();
      for (int i : malos) t.Fields(i).Clear();
      t.Post();
      t.Delete();
      ++borrados;
    }
    ++hechos;
    if (avance) avance(hechos, total);
  }
  return borrados;
}

TFormaVerificaRegistros::TFormaVerificaRegistros(QWidget* owner) : ui::Forma(owner) {
  setObjectName(QStringLiteral("FormaVerificaRegistros"));
  setWindowTitle(QStringLiteral("Verifica Registros"));
  setFixedSize(620, 400);

  Etiqueta(this, QStringLiteral("Directorio de Datos"), {12, 10, 200, 18});
  Edit1 = Caja(this, "Edit1", {12, 30, 400, 24});
  Edit1->setText(QStringLiteral("d:\\temp"));
  Etiqueta(this, QStringLiteral("Tablas"), {12, 62, 190, 18});
  FileListBox1 = piezas::Lista(this, "FileListBox1", {12, 82, 190, 180});
  Etiqueta(this, QStringLiteral("No Abren"), {212, 62, 190, 18});
  FileListBox2 = piezas::Lista(this, "FileListBox2", {212, 82, 190, 180});
  Etiqueta(this, QStringLiteral("Tablas Reparadas"), {412, 62, 196, 18});
  ListaReparadas = piezas::Lista(this, "ListaReparadas", {412, 82, 196, 180});
  FileListBox3 = piezas::Lista(this, "FileListBox3", {0, 0, 10, 10});
  Label1 = Nombrado(new QLabel(this), "Label1");
  Label1->setGeometry(12, 270, 400, 18);
  Label2 = Nombrado(new QLabel(this), "Label2");
  Label2->setGeometry(12, 290, 400, 18);
  Label3 = Nombrado(new QLabel(this), "Label3");
  Label3->setGeometry(412, 270, 196, 18);
  Label4 = Nombrado(new QLabel(this), "Label4");
  Label4->setGeometry(412, 290, 196, 18);
  QPalette rojo = Label4->palette();
  rojo.setColor(QPalette::WindowText, Qt::red);
  Label4->setPalette(rojo);
  Progreso = Medidor(this, "Progreso", {12, 314, 596, 22});
  BitBtn3 = Boton(this, "BitBtn3", QStringLiteral("Verificación &Completa"), {12, 350, 190, 32});
  BitBtn4 = Boton(this, "BitBtn4", QStringLiteral("&Verifica Registros"), {212, 350, 190, 32});
  BitBtn5 = Boton(this, "BitBtn5", QStringLiteral("Cancelar"), {412, 350, 196, 32});
  BitBtn5->setProperty("Cancel", true);
  BitBtn1 = Boton(this, "BitBtn1", QStringLiteral("Ejecutar"), {0, 0, 10, 10});
  BitBtn2 = Boton(this, "BitBtn2", QStringLiteral("BitBtn2"), {0, 0, 10, 10});
  Datos = Nombrado(new QTableWidget(0, 4, this), "Datos");
  Datos->setHorizontalHeaderLabels({QStringLiteral("Campo"), QStringLiteral("Tipo"), QStringLiteral("Tamaño"),
                                    QStringLiteral("Decimales")});
  ListBox1 = piezas::Lista(this, "ListBox1", {0, 0, 10, 10});
  for (QWidget* w : std::initializer_list<QWidget*>{FileListBox3, Label3, BitBtn1, BitBtn2, Datos, ListBox1}) w->hide();
  Tabla = Nombrado(new db::Tabla(this), "Tabla");

  ui::Conecta(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
  ui::Conecta(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
  ui::Conecta(BitBtn5, &QPushButton::clicked, this, [this] { BitBtn5Click(); });
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ui::CentraEnPantalla(*this);
}

void TFormaVerificaRegistros::BitBtn3Click() { Verifica(true); }
void TFormaVerificaRegistros::BitBtn4Click() { Verifica(false); }

void TFormaVerificaRegistros::BitBtn5Click() {
  SetTag(0);
  Close();
}

void TFormaVerificaRegistros::Verifica(bool completa) {
  const QString carpeta = Edit1->text();
  if (completa) CopiaTablasTempo(carpeta);
  SetTag(1);
  FileListBox1->clear();
  FileListBox1->addItems(ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf")));
  FileListBox2->clear();
  ListaReparadas->clear();
  for (int i = 0; i < FileListBox1->count(); ++i) {
    const QString archivo = FileListBox1->item(i)->text();
    if (!RevisaApertura(carpeta, archivo, true)) FileListBox2->addItem(archivo);
  }
  for (int i = 0; i < FileListBox2->count(); ++i) {
    const QString archivo = FileListBox2->item(i)->text();
    try {
      db::QuitaIndiceProduccion(carpeta, archivo);
    } catch (const plat::Error& e) {
      if (e.clase() != Clase::EnUso) throw;
      ui::MensajeSimple(MensajeTablaEnUso(archivo));
      continue;
    }
    RevisaApertura(carpeta, archivo, false);
  }
  for (int i = 0; i < FileListBox1->count(); ++i) {
    const QString archivo = FileListBox1->item(i)->text();
    // Rows deleted for unreadable fields leave their keys to be checked.
    if (VerificaLecturaTabla(carpeta, archivo)) RevisaApertura(carpeta, archivo, false);
  }
  Close();
}

bool TFormaVerificaRegistros::RevisaApertura(const QString& carpeta, const QString& archivo, bool avisaEnUso) {
  try {
    const db::RevisionTabla r = db::RevisaTabla(carpeta, archivo, [](db::Tabla& t) { RegistraBorrado(t); });
    if (r.Reparada()) {
      const QString descripcion = DescribeReparacion(archivo, r);
      if (ListaReparadas->findItems(archivo, Qt::MatchExactly).isEmpty()) ListaReparadas->addItem(archivo);
      RegistraBitacora(descripcion);
    }
    if (!r.errorTags.isEmpty()) ui::MensajeSimple(r.errorTags);
    return true;
  } catch (const plat::Error& e) {
    if (e.clase() != Clase::EnUso) return false;
  }
  // Held by another station: only opened, as a station would.
  if (avisaEnUso) ui::MensajeSimple(MensajeNoReparada(archivo));
  try {
    Tabla->Close();
    Tabla->SetCarpeta(carpeta);
    Tabla->SetNombreTabla(archivo);
    Tabla->Open();
    Tabla->Close();
    return true;
  } catch (const plat::Error&) {
    return false;
  }
}

bool TFormaVerificaRegistros::VerificaLecturaTabla(const QString& carpeta, const QString& archivo) {
  Progreso->setValue(0);
  Label1->setText(QStringLiteral("Tabla  ") + archivo);
  const qint64 borrados = LeeRegistrosTabla(carpeta, archivo, [this](qint64 hechos, qint64 total) {
    if (hechos % kPasoEtiqueta != 0 && hechos != total) return;
    Progreso->setValue(total > 0 ? static_cast<int>(std::min<qint64>(100, 100 * hechos / total)) : 100);
    Label2->setText(QStringLiteral("Registro %1").arg(hechos));
    Progreso->repaint();
  });
  Progreso->setValue(100);
  if (borrados > 0) Label4->setText(QStringLiteral("La Tabla Tenia Errores"));
  return borrados > 0;
}

void TFormaVerificaRegistros::CopiaTablasTempo(const QString& carpeta) {
  const QString tempo = fs::Une(carpeta, QStringLiteral("tempo"));
  if (!fs::ExisteCarpeta(tempo) && !fs::CreaCarpeta(tempo))
    throw plat::Error(Clase::Io, QStringLiteral("No se pudo crear la carpeta ") + tempo);
  FileListBox3->clear();
  FileListBox3->addItems(ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf")));
  for (int i = 0; i < FileListBox3->count(); ++i) {
    const QString archivo = FileListBox3->item(i)->text();
    Label2->setText(QStringLiteral("Copiando Tabla ") + archivo);
    Label2->repaint();
    fs::CopiaArchivo(fs::Une(carpeta, archivo), fs::Une(tempo, archivo));
  }
}
