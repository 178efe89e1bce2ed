// The byte reader of dBASE tables, which completes a truncated last record,
// and the developer's test copy; no visible button reaches either.

#include "maintenance/VerRegis.h"

#include "maintenance/IndiTodo.h"
#include "maintenance/respaldo.h"
#include "platform/Error.h"
#include "platform/db/Revision.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/PuertaModal.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTableWidget>

#include <memory>

namespace {

// The two header layouts, told by the version byte's low three bits.
struct Disposicion {
  int cabecera, descriptor, nombre, tipo, largo, decimales;
};
constexpr Disposicion kClasica{32, 32, 11, 11, 16, 17};
constexpr Disposicion kNivel7{68, 48, 32, 32, 33, 34};
constexpr int kMaxDescriptores = 200;
constexpr qint64 kBloqueLectura = 1024;

// A descriptor block is the terminator when it holds 0x0D anywhere but at
// its 17th and 44th bytes (where a length of 13 may stand).
bool EsTerminador(const QByteArray& bloque) {
  for (qsizetype i = 0; i < bloque.size(); ++i)
    if (bloque[i] == 0x0D && i != 16 && i != 43) return true;
  return false;
}

}  // namespace

void TFormaVerificaRegistros::AnotaCampo(const QString& nombre, QChar tipo, int largo, int decimales) {
  const int fila = Datos->rowCount();
  Datos->insertRow(fila);
  const QString celdas[] = {nombre, QString(tipo), QString::number(largo), QString::number(decimales)};
  for (int c = 0; c < 4; ++c) Datos->setItem(fila, c, new QTableWidgetItem(celdas[c]));
  ListBox1->addItem(nombre);
  tipos_ << tipo;
  largos_ << largo;
}

void TFormaVerificaRegistros::RevisaRegistrosCrudos(const QString& ruta) {
  if (!fs::ExisteArchivo(ruta)) return;
  const QString nombre = fs::NombreArchivo(ruta);
  std::unique_ptr<db::ArchivoExclusivo> f;
  try {
    f = std::make_unique<db::ArchivoExclusivo>(fs::Local(ruta), nombre);
  } catch (const plat::Error& e) {
    if (e.clase() != plat::Clase::EnUso) throw;
    ui::MensajeSimple(MensajeTablaEnUso(nombre));
    return;
  }
  Label1->setText(QStringLiteral("Tabla Actual ") + nombre);
  Datos->setRowCount(0);
  ListBox1->clear();
  tipos_.clear();
  largos_.clear();
  const QByteArray cabecera = f->Lee(0, kNivel7.cabecera);
  if (cabecera.size() < kClasica.cabecera) return;
  const bool nivel7 = (static_cast<unsigned char>(cabecera[0]) & 0x07) == 4;
  const Disposicion& d = nivel7 ? kNivel7 : kClasica;
  qint64 pos = d.cabecera;
  int largo = 0;
  for (int k = 0; k < kMaxDescriptores; ++k, pos += d.descriptor) {
    const QByteArray bloque = f->Lee(pos, d.descriptor);
    if (bloque.isEmpty() || EsTerminador(bloque)) break;
    if (bloque.size() <= d.decimales) break;
    const QByteArray crudo = bloque.left(d.nombre);
    const QString campo = QString::fromLatin1(crudo.left(crudo.indexOf('\0') < 0 ? crudo.size() : crudo.indexOf('\0')));
    const int ancho = static_cast<unsigned char>(bloque[d.largo]);
    AnotaCampo(campo.trimmed(), QChar::fromLatin1(bloque[d.tipo]), ancho, static_cast<unsigned char>(bloque[d.decimales]));
    largo += ancho;
  }
  // Records start where the header says, past the terminator.
  const auto* u = reinterpret_cast<const unsigned char*>(cabecera.constData());
  const qint64 longCabecera = u[8] | (u[9] << 8);
  const qint64 inicio = std::max(pos + 1, longCabecera);
  const qint64 tamano = f->Tamano();
  Label3->setText(QStringLiteral("Versión %1").arg(nivel7 ? 4 : 3));
  if (largo == 0 || tamano <= inicio) return;

  // Past the first record's deletion mark, each record is its fields and
  // the next record's mark (the last one's: the end mark).
  const qint64 resto = tamano - inicio - 1;
  const qint64 esperados = (tamano - inicio) / largo;
  qint64 registros = 0;
  qint64 bloques = 0;
  for (qint64 leido = 0; leido < resto; leido += kBloqueLectura) {
    ++bloques;
    registros = std::min(resto, leido + kBloqueLectura) / (largo + 1);
    Progreso->setValue(esperados > 0 ? static_cast<int>(std::min<qint64>(100, 100 * registros / esperados)) : 100);
    Label2->setText(QStringLiteral("Registro %1").arg(bloques));
  }
  const qint64 completos = resto / (largo + 1);
  const qint64 parcial = resto % (largo + 1);
  if (parcial == 0) return;
  QApplication::beep();
  ui::MensajeSimple(QStringLiteral("el registro tuvo error %1").arg(completos + 1));
  const QByteArray bytes = f->Lee(inicio + 1 + completos * (largo + 1), parcial);
  qsizetype campo = 0;
  int desde = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    while (campo < largos_.size() && i >= desde + largos_[campo]) desde += largos_[campo++];
    if (campo < tipos_.size()) ValidaCaracterCampo(bytes[i], tipos_[campo]);
  }
  f->Escribe(tamano, QByteArray(largo - parcial, ' ') + QByteArray(1, 0x1A));
}

void TFormaVerificaRegistros::BitBtn1Click() {
  const QString carpeta = Edit1->text();
  FileListBox1->clear();
  FileListBox1->addItems(ArchivosDeCarpeta(carpeta, QStringLiteral("*.dbf")));
  for (int i = 0; i < FileListBox1->count(); ++i) RevisaRegistrosCrudos(fs::Une(carpeta, FileListBox1->item(i)->text()));
}

void TFormaVerificaRegistros::BitBtn2Click() {
  const QString origen = QStringLiteral("D:\\TEMP\\COMPRASD.DBF");
  const QByteArray bytes = fs::LeeBytes(origen);
  Label2->setText(QStringLiteral("Copying %1 bytes...").arg(bytes.size()));
  fs::EscribeAtomico(QStringLiteral("D:\\TEMP\\COMPRASD2.DBF"), bytes.left(std::max<qsizetype>(0, bytes.size() - 98)) +
                                                                   QByteArray(56, 'x'));
}
