// Preview mode: the page drawn from the preview file, the page spin, the
// print answer, the notes laid over the page and the page pictures.

#include "formats/DibujoPagina.h"
#include "formats/PaginaPrevia.h"
#include "formats/edicion.h"
#include "foundation/dialogos.h"
#include "foundation/rutinas_texto.h"
#include "platform/Error.h"
#include "platform/fs/Rutas.h"
#include "platform/fs/Texto.h"
#include "platform/print/Imagen.h"
#include "platform/ui/Aplicacion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <cmath>

void TFormaEdicion::VistaPreliminarPaint(QPainter& pintor) {
  const QString archivo =
      carpeta_.isEmpty() ? ArchivoPaginaPrevia() : carpeta_ + QStringLiteral("\\tempo\\format.tmp");
  const bool existe = fs::ExisteArchivo(archivo);
  std::vector<TElementoPagina> elementos;
  QString error;
  if (existe) {
    try {
      elementos = LeeElementosPagina(archivo);
    } catch (const plat::Error& e) {
      error = e.mensaje();
    }
  }
  const int paginas = CuentaPaginasPrevia(elementos);
  Pagina->setText(QString::number(paginas) + QStringLiteral(" Paginas"));
  {
    // With no pages the spin stays on page 1.
    const QSignalBlocker bloqueo(NumerodePagina);
    NumerodePagina->setMaximum(std::max(1, paginas));
  }
  const PaginaDibujada pagina =
      TrazaPagina(existe ? &elementos : nullptr, paginaActual_, VistaPreliminar->size(), Pagina->text());
  PintaPagina(pintor, pagina);
  // The sketch layer covers the page with its own white sheet.
  if (hayBoceto_) PintaPagina(pintor, PaginaDibujada{VistaPreliminar->size(), QColor(Qt::black), boceto_, {}});
  if (error.isEmpty()) error = pagina.error;
  if (!error.isEmpty()) ReportaError(error);
}

// A page that cannot be drawn whole is reported once, after the paint: the
// page is painted again whenever the window needs it.
void TFormaEdicion::ReportaError(const QString& error) {
  if (error == errorReportado_) return;
  errorReportado_ = error;
  QTimer::singleShot(0, this, [error] { ui::MuestraExcepcion(plat::Error(plat::Clase::Conversion, error)); });
}

void TFormaEdicion::VistaPreliminarMouseDown(Qt::MouseButton boton) {
  if (boton == Qt::RightButton) MuestraComentario(true);
}

// The memo first appears near the page's top-left corner; after that it
// stays where the user left it.
void TFormaEdicion::MuestraComentario(bool visible) {
  if (visible && !comentarioColocado_) {
    comentarioColocado_ = true;
    Comentario->move(VistaPreliminar->pos() + QPoint(30, 60));
  }
  Comentario->setVisible(visible);
  if (visible) Comentario->raise();
}

void TFormaEdicion::NumerodePaginaChange(const QString& texto) {
  bool ok = false;
  const int valor = texto.trimmed().toInt(&ok);
  paginaActual_ = ok && valor >= 1 ? valor : 1;
  errorReportado_.clear();
  VistaPreliminar->update();
}

void TFormaEdicion::BotonImprimeClick() {
  ui::SetTag(BotonImprime, 0);
  if (ImpresoraLista()) {
    ui::SetTag(BotonImprime, 1);
    Close();
  } else {
    MuestraMensaje(QStringLiteral("La Impresora No Se Encuentra Lista..."));
  }
}

void TFormaEdicion::BotonNotasClick() { MuestraComentario(!Comentario->isVisible()); }

void TFormaEdicion::SpeedButton2Click() {
  for (int i = 0; i < static_cast<int>(Notas.size()); ++i) {
    if (notaOcupada_[i]) continue;
    notaOcupada_[i] = true;
    // Down the right half of the page, clear of the memo.
    const QRect pagina = VistaPreliminar->geometry();
    Notas[i]->move(pagina.x() + pagina.width() / 2, pagina.y() + 60 + 30 * i);
    Notas[i]->show();
    Notas[i]->raise();
    Notas[i]->setFocus(Qt::OtherFocusReason);
    return;
  }
}

// After a note is moved its hint tells where it stands on the page.
void TFormaEdicion::ColocaNota(QWidget* nota) {
  const QRect pagina = VistaPreliminar->geometry();
  const int columna = std::max(1, static_cast<int>(pagina.width() * 0.0125));
  const int linea = std::max(1, pagina.height() / lineasPagina_);
  const int c = static_cast<int>(std::trunc(static_cast<double>(nota->x() - pagina.x()) / columna));
  const int r = static_cast<int>(std::trunc(static_cast<double>(nota->y() - pagina.y()) / linea));
  nota->setToolTip(QStringLiteral("Renglon %1 Columna %2").arg(r).arg(c));
}

void TFormaEdicion::NotaDblClick(int i) {
  Notas[i]->hide();
  Notas[i]->clear();
  notaOcupada_[i] = false;
}

QImage TFormaEdicion::ImagenPagina() const { return VistaPreliminar->grab().toImage(); }

void TFormaEdicion::SpeedButton1Click() {
  fs::EscribeAtomico(QStringLiteral("c:\\fact.jpg"), print::CodificaJpeg(ImagenPagina(), 100));
}
