// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/base/update_object.h"

#include "widgets/base/clock.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

TiUpdateObject* instance = nullptr;
bool applicationEnded = false;

void DeleteInstance()
{
    delete instance;
    instance = nullptr;
    applicationEnded = true;
}

}  // namespace

TiUpdateObject& TiUpdateObject::Instance()
{
    if (instance == nullptr) {
        instance = new TiUpdateObject();
        qAddPostRoutine(DeleteInstance);
    }
    return *instance;
}

TiUpdateObject* TiUpdateObject::InstanceIfAlive() { return applicationEnded ? nullptr : instance; }

TiUpdateObject::TiUpdateObject()
{
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &TiUpdateObject::Tick);
}

void TiUpdateObject::AddComponent(TiUpdateClient* component)
{
    components_.push_back(component);
}

void TiUpdateObject::Wake()
{
    if (!components_.empty() && !timer_.isActive())
        timer_.start();
}

void TiUpdateObject::RemoveComponent(TiUpdateClient* component)
{
    const auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    if (components_.empty())
        timer_.stop();
}

void TiUpdateObject::Tick()
{
    // A repaint may create or destroy widgets: walk a copy, skipping removed ones.
    const std::vector<TiUpdateClient*> snapshot = components_;
    const double now = TiClock::Now();
    for (TiUpdateClient* component : snapshot) {
        if (std::find(components_.begin(), components_.end(), component) == components_.end())
            continue;
        if (component->IsUpdateBracketOpen() || !component->IsRepaintPending())
            continue;
        const int rate = component->GetUpdateFrameRate();
        const double interval = rate > 0 ? 1.0 / (static_cast<double>(rate) * 86400.0) : 0.0;
        if (now > component->GetLastRepaintTime() + interval)
            component->RepaintNow();
    }
    const bool anyPending = std::any_of(components_.begin(), components_.end(),
                                        [](const TiUpdateClient* c) { return c->IsRepaintPending(); });
    if (!anyPending)
        timer_.stop();
}
