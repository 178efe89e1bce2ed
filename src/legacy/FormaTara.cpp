#include "legacy/FormaTara.h"

#include "foundation/rutinas.h"
#include "foundation/rutinas_numero.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/ui/Aplicacion.h"
#include "platform/ui/Componentes.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <memory>
#include <optional>

namespace {

const QString kMascaraCantidad = QStringLiteral("#######0.00");
const QString kMascaraNeta = QStringLiteral("######0.00");

QString Muestra(const QString& mascara, double valor) {
  return FormatoMascara(mascara, RedondeaDecimales(valor, 2));
}

// The first line of puerto.num read as a number; nothing when the file is
// missing or its line is no number.
std::optional<double> PesoDeBascula() {
  const QString ruta = CarpetaPrograma(QStringLiteral("\\puerto.num"));
  if (!fs::ExisteArchivo(ruta)) return std::nullopt;
  try {
    double peso = 0;
    if (LeeReal(fs::LeeLineas(ruta).value(0).trimmed(), peso)) return peso;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

}  // namespace

double RedondeaDecimales(double valor, int decimales) {
  return ValorReal(QString::number(valor, 'f', decimales).rightJustified(10).trimmed());
}

TFormaTara::TFormaTara(QWidget* owner) : ui::Forma(owner) {
  ui::InstanciaDe<TFormaTara>() = this;
  setObjectName(QStringLiteral("FormaTara"));
  setWindowTitle(QStringLiteral("Tara"));
  setFixedSize(300, 220);
  const auto etiqueta = [this](const char* nombre, const QString& texto, const QRect& donde) {
    auto* l = new QLabel(texto, this);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setGeometry(donde);
    return l;
  };
  const auto edit = [this](const char* nombre, const QString& texto, const QRect& donde) {
    auto* e = new QLineEdit(texto, this);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setGeometry(donde);
    return e;
  };
  Cantidad = etiqueta("Cantidad", QStringLiteral("Cajas"), QRect(10, 10, 280, 20));
  Tara_Producto = edit("Tara_Producto", QStringLiteral("0"), QRect(10, 40, 100, 22));
  Label1 = etiqueta("Label1", QStringLiteral("X"), QRect(120, 40, 20, 22));
  Facto = edit("Facto", QString(), QRect(150, 40, 100, 22));
  Label2 = etiqueta("Label2", QStringLiteral("Conos"), QRect(10, 70, 100, 20));
  EditConos = edit("EditConos", QStringLiteral("0"), QRect(10, 92, 100, 22));
  Label3 = etiqueta("Label3", QStringLiteral("X"), QRect(120, 92, 20, 22));
  EditTara2 = edit("EditTara2", QStringLiteral("0.05"), QRect(150, 92, 100, 22));
  Cantidad_Tara = etiqueta("Cantidad_Tara", QString(), QRect(10, 124, 280, 40));
  QFont grande = Cantidad_Tara->font();
  grande.setPointSize(20);
  grande.setBold(true);
  Cantidad_Tara->setFont(grande);
  BitBtn1 = new QPushButton(QStringLiteral("Aceptar"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(40, 178, 100, 28);
  BitBtn2 = new QPushButton(QStringLiteral("Cancelar"), this);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setGeometry(160, 178, 100, 28);
  ui::Conecta(BitBtn1, &QPushButton::clicked, this, [this] {
    SetTag(1);
    Close();
  });
  ui::Conecta(BitBtn2, &QPushButton::clicked, this, [this] {
    SetTag(0);
    Close();
  });
  EditConos->installEventFilter(this);
  ui::CentraEnPantalla(*this);
}

double TFormaTara::TaraCapturada() const {
  return ValorNumerico(Tara_Producto->text()) * ValorNumerico(Facto->text()) +
         ValorNumerico(EditConos->text()) * ValorNumerico(EditTara2->text());
}

void TFormaTara::EditConosExit() {
  Cantidad_Tara->setText(Muestra(kMascaraNeta, ValorNumerico(Cantidad_Tara->text()) - TaraCapturada()));
}

void TFormaTara::FormShow() {
  Tara_Producto->setFocus(Qt::OtherFocusReason);
  Tara_Producto->selectAll();
}

void TFormaTara::keyPressEvent(QKeyEvent* evento) {
  if (evento->key() == Qt::Key_Escape) {
    SetTag(0);
    Close();
    return;
  }
  ui::Forma::keyPressEvent(evento);
}

bool TFormaTara::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == EditConos && evento->type() == QEvent::FocusOut) EditConosExit();
  return ui::Forma::eventFilter(objeto, evento);
}

double PideTara(double cantidad, double pesoCaja, double porCaja) {
  auto forma = std::make_unique<TFormaTara>();
  fs::BorraArchivo(CarpetaPrograma(QStringLiteral("\\puerto.dat")));
  double q = cantidad;
  forma->Cantidad->setText(Muestra(kMascaraCantidad, q));
  forma->Facto->setText(Muestra(kMascaraCantidad, pesoCaja));
  const double unidades = porCaja > 0 ? porCaja : 1;
  const double cajas = std::round(q / unidades);
  forma->Tara_Producto->setText(Muestra(kMascaraNeta, cajas));
  forma->Cantidad_Tara->setText(Muestra(kMascaraNeta, q - cajas * pesoCaja));
  if (const auto peso = PesoDeBascula()) {
    q = *peso;
    forma->Cantidad_Tara->setText(Muestra(kMascaraNeta, q));
  }
  forma->ShowModal();
  if (forma->Tag() != 1) return q;
  const double tara = forma->TaraCapturada();
  if (auto peso = PesoDeBascula()) q = *peso;
  else if ((peso = PesoDeBascula())) q = *peso;
  return RedondeaDecimales(q - tara, 2);
}
