#include "dialogs/identity_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "online/score_actions.h"
#include "player/settings.h"

namespace {

QLineEdit* AddField(QGridLayout* grid, int row, const QString& caption, const std::string& text) {
    auto* label = new QLabel(caption);
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setMaxLength(static_cast<int>(kOnlineFieldLength));
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    return field;
}

std::string TextOf(const QLineEdit* field) {
    return field->text().toStdString();
}

}  // namespace

clIdentityFields::clIdentityFields(const clSettings& settings, QGridLayout* grid, int firstRow)
    : name(AddField(grid, firstRow, QStringLiteral("Enter your name:"),
                    settings.Text(clText::Name))),
      location(AddField(grid, firstRow + 1, QStringLiteral("Enter your city, state, and country:"),
                        settings.Text(clText::Location))),
      email(AddField(grid, firstRow + 2, QStringLiteral("Enter your email address:"),
                     settings.Text(clText::Email))) {}

clOnlineIdentity clIdentityFields::Fields() const {
    return {TextOf(name), TextOf(location), TextOf(email)};
}

void clIdentityFields::OnChange(std::function<void()> handler) {
    for (QLineEdit* field : {name, location, email})
        QObject::connect(field, &QLineEdit::textChanged, field, [handler] { handler(); });
}
