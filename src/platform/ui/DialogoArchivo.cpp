#include "platform/ui/DialogoArchivo.h"

#include "platform/fs/Rutas.h"
#include "platform/ui/PuertaModal.h"

namespace ui {

DialogoArchivo::DialogoArchivo(QWidget* padre, Tipo tipo, const QString& nombre) : QFileDialog(padre) {
  setObjectName(nombre);
  // Qt's own dialog on every desktop: its texts come from the program's
  // translation, not from whatever the desktop's dialog speaks.
  setOption(QFileDialog::DontUseNativeDialog, true);
  if (tipo == Tipo::Abrir) {
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
  } else {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // The callers ask their own question before replacing a file.
    setOption(QFileDialog::DontConfirmOverwrite, true);
  }
}

bool DialogoArchivo::Execute() {
  const bool comodin = FileName.contains(u'*') || FileName.contains(u'?');
  const QString nombre = fs::NombreArchivo(FileName);
  const QString carpeta = FileName.isEmpty() || nombre == FileName ? InitialDir : fs::CarpetaDe(FileName);
  if (!carpeta.isEmpty()) setDirectory(fs::Local(carpeta));
  setNameFilter(Filter.isEmpty() ? QString() : Filter);
  setDefaultSuffix(DefaultExt);
  selectFile(comodin ? QString() : nombre);
  if (PuertaModal::EjecutaDialogo(*this, objectName()) != QDialog::Accepted) return false;
  const QStringList elegidos = selectedFiles();
  if (elegidos.isEmpty()) return false;
  FileName = fs::FormaWindows(elegidos.first());
  return true;
}

}  // namespace ui
