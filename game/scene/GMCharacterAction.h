// The action codes of the player character (GMCharacter::PlayAction).
#pragma once

enum GMCharacterAction {
    GM_ACTION_NONE = 0,
    GM_ACTION_CROSS_ARMS = 1,
    GM_ACTION_PICK_GROUND = 2,
    GM_ACTION_PICK_TABLE = 3,
    GM_ACTION_CAMERA_UP = 4,
    GM_ACTION_CAMERA_MIDDLE = 5,
    GM_ACTION_CAMERA_DOWN = 6,
    GM_ACTION_CHAIR_SIT = 7,
    GM_ACTION_CHAIR_RISE = 8,
    GM_ACTION_PHONE_OUT = 9,
    GM_ACTION_PHONE_IN = 10,
};
