#pragma once

#include "ui/Look.h"

#include "translate/InputBoxQuestion.h"
#include "translate/PhraseFinder.h"
#include "translate/TranslationView.h"
#include "ui/WindowServices.h"

#include <memory>

class ClickablePicture;
class PictureButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The translation window: the user types a sentence into Text1, presses Command1 and reads
// the word-by-word result in Text2; words that were not found are asked for one by one.
// Each opening loads the window afresh: its caption follows DictExt and it has its own
// speech control hlas2. A notice given at loading (why words cannot be learned) stands in
// the empty Text2 until the first translation.
class OknoPreklad : public PictureDialog, private TranslationView
{
    Q_OBJECT

  public:
    explicit OknoPreklad(const WindowServices& services, const QString& notice = {},
                         QWidget* parent = nullptr);
    ~OknoPreklad() override;

  private:
    void createControls();
    void Form_Load();
    void addNotice(const QString& notice);
    void Command1_Click();
    void Image1_Click();

    // TranslationView
    QString inputText() const override;
    void setInputText(const QString& text) override;
    void setOutputText(const QString& text) override;
    void setMousePointer(MousePointer pointer) override;

    std::shared_ptr<FileWriter> m_writer;
    std::shared_ptr<HeadIndex> m_heads;
    std::shared_ptr<BaseFormSource> m_baseForms;
    std::shared_ptr<const FormLookup> m_forms;
    PhraseFinder m_phrases;
    InputBoxQuestion m_question;

    QLineEdit* Text1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    PictureButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    std::unique_ptr<SpeechControl> hlas2;
    ClickablePicture* Image1 = nullptr;
};
