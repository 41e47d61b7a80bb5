#include "downloadjob.h"

#include <QPair>
#include <QVector>

namespace {

// (stage, value) of each progress step.
const QVector<QPair<uint, uint>> kSteps{{1, 0}, {2, 20}, {2, 40}, {2, 60}, {2, 80}, {3, 100}};
// A failing or stalling transfer gets as far as the first data.
constexpr int kStepsBeforeTrouble = 2;

} // namespace

DownloadJob::DownloadJob(const QString& channelPath, const QString& token, int stepInterval,
                         QObject* parent)
    : QObject(parent)
    , m_channelPath(channelPath)
    , m_token(token)
{
    m_timer.setInterval(stepInterval);
    connect(&m_timer, &QTimer::timeout, this, &DownloadJob::step);
}

void DownloadJob::start(Plan plan, uint failure)
{
    m_plan = plan;
    m_failure = failure;
    m_timer.start();
}

void DownloadJob::step()
{
    if (m_step == 0) {
        emit started();
    } else {
        emit progressed(kSteps.at(m_step - 1).first, kSteps.at(m_step - 1).second);
    }
    ++m_step;
    if (m_plan != Complete && m_step > kStepsBeforeTrouble) {
        m_timer.stop();
        if (m_plan == Fail) {
            emit finished(m_failure);
        }
    } else if (m_step > kSteps.size()) {
        m_timer.stop();
        emit finished(0);
    }
}
