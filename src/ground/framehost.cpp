#include "ground/framehost.h"

namespace {

/// Stands in for the frame where none is installed: remembers what the
/// windows write and hosts nothing.
class DetachedFrame final : public FrameHost
{
public:
    void adoptChild(QWidget *, const QList<QMenu *> &) override { }
    void showFrame() override { }
    QWidget *frameWindow() override { return nullptr; }
    QMdiArea *workArea() override { return nullptr; }
    QString panel1() const override { return m_panel1; }
    void setPanel1(const QString &text) override { m_panel1 = text; }
    QString statusWord() const override { return m_word; }
    void setStatusWord(const QString &word) override { m_word = word; }

private:
    QString m_panel1;
    QString m_word;
};

std::function<FrameHost &()> &loader()
{
    static std::function<FrameHost &()> installed;
    return installed;
}

} // namespace

void FrameHost::setStatus(const QString &word)
{
    setStatusWord(word);
    setPanel1(word);
}

FrameHost &FrameHost::current()
{
    if (loader())
        return loader()();
    static DetachedFrame detached;
    return detached;
}

void FrameHost::setLoader(std::function<FrameHost &()> frameLoader)
{
    loader() = std::move(frameLoader);
}
