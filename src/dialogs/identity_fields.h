#pragma once

#include <functional>

#include "online/score_protocol.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class clSettings;

// The three fields of the player's online identity, "Enter your name:",
// "Enter your city, state, and country:" and "Enter your email address:",
// each taking at most 63 characters and starting with what the player
// entered last. Placed as label and field in rows of a grid from `firstRow`.
class clIdentityFields {
public:
    clIdentityFields(const clSettings& settings, QGridLayout* grid, int firstRow);

    clOnlineIdentity Fields() const;
    // Called at every change of a field.
    void OnChange(std::function<void()> handler);

    QLineEdit* Name() const { return name; }
    QLineEdit* Location() const { return location; }
    QLineEdit* Email() const { return email; }

private:
    QLineEdit* name;
    QLineEdit* location;
    QLineEdit* email;
};
