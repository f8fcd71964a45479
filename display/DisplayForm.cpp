#include "DisplayForm.h"

DisplayForm::DisplayForm(Module1& m, int style, const QString& name, const FormStyle& formStyle)
    : Form(name, formStyle), m_module(m), m_style(style)
{
}
