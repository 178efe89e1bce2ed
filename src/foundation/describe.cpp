#include "foundation/describe.h"

#include "foundation/rutinas.h"
#include "platform/Error.h"
#include "platform/fs/CadenaCorta.h"
#include "platform/fs/Rutas.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QTextEdit>

#include <memory>

namespace {

const QString kTextoDeDiseno = QStringLiteral("No hay una descripción para esta opción.");

// Offsets of the two parts of the text in a record.
constexpr int kPosParte1 = 11;
constexpr int kPosParte2 = 137;
constexpr int kAnchoParte = 126;

void Centra(QTextEdit* memo) {
  memo->selectAll();
  memo->setAlignment(Qt::AlignHCenter);
  memo->moveCursor(QTextCursor::Start);
}

// Calls MuestraDescripcion for every mouse press on the control it watches.
class AyudaDeControl : public QObject {
 public:
  AyudaDeControl(QWidget* control, int n) : QObject(control), n_(n) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::MouseButtonPress) {
      auto* control = static_cast<QWidget*>(objeto);
      const auto boton = static_cast<QMouseEvent*>(evento)->button();
      const QPoint esquina = control->mapToGlobal(QPoint(0, control->height()));
      ui::Protege([&] { MuestraDescripcion(boton, esquina.x(), esquina.y(), n_); });
    }
    return false;
  }

 private:
  int n_;
};

}  // namespace

TFormaDescribe::TFormaDescribe(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaDescribe>() = this;
  setObjectName(QStringLiteral("FormaDescribe"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(123, 222);

  Shape1 = new ui::Figura(this, Qt::white, 2);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(rect());

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  Image1->setGeometry(45, 8, 32, 32);

  Label1 = new QLabel(QStringLiteral("Ayuda en Linea"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QFont letra = Label1->font();
  letra.setBold(true);
  Label1->setFont(letra);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setGeometry(4, 44, 115, 18);

  Comenta = new QTextEdit(this);
  Comenta->setObjectName(QStringLiteral("Comenta"));
  Comenta->setReadOnly(true);
  Comenta->setFrameShape(QFrame::NoFrame);
  Comenta->setGeometry(6, 66, 111, 148);
  Comenta->setPlainText(kTextoDeDiseno);
  Centra(Comenta);
  Comenta->viewport()->installEventFilter(this);

  SetKeyPreview(true);
}

void TFormaDescribe::FormKeyDown(int& tecla, Qt::KeyboardModifiers) {
  tecla = 0;
  Close();
}

bool TFormaDescribe::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == Comenta->viewport() && evento->type() == QEvent::MouseButtonPress) {
    ui::Protege([this] { Close(); });
    return true;
  }
  return ui::Forma::eventFilter(objeto, evento);
}

void MuestraDescripcion(Qt::MouseButton boton, int x, int y, int n) {
  auto popup = std::make_unique<TFormaDescribe>();
  if (boton != Qt::RightButton) return;
  popup->move(x - popup->width() / 2 + 25, y + 70);
  CargaDescripcion(n);
  popup->ShowModal();
}

void CargaDescripcion(int n) {
  TFormaDescribe* popup = FormaDescribe();
  if (!popup || n < 0) return;
  QString carpeta;
  CarpetaLocal(carpeta);
  const QString ruta = carpeta + QStringLiteral("\\ayuda\\describe.des");
  if (!fs::ExisteArchivo(ruta)) return;

  QFile archivo(fs::Local(ruta));
  if (!archivo.open(QIODevice::ReadOnly))
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ruta + QStringLiteral(": ") + archivo.errorString());
  if (n >= archivo.size() / kTamanoDescripcion) return;
  QByteArray registro;
  if (archivo.seek(qint64(n) * kTamanoDescripcion)) registro = archivo.read(kTamanoDescripcion);
  if (registro.size() != kTamanoDescripcion)
    throw plat::Error(plat::Clase::Io, QStringLiteral("No se pudo leer ") + ruta + QStringLiteral(": ") + archivo.errorString());

  popup->Comenta->clear();
  popup->Comenta->setPlainText(fs::LeeCadenaCorta(registro, kPosParte1, kAnchoParte) +
                               fs::LeeCadenaCorta(registro, kPosParte2, kAnchoParte));
  Centra(popup->Comenta);
}

void ConectaDescripcion(QWidget* control, int n) { control->installEventFilter(new AyudaDeControl(control, n)); }
