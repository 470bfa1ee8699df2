// The sample data set made ready for the game's screens over the fake drawing, timer (at
// 1.0 s) and sound services: what GMTestScene::Prepare sets, then the game cursor and the
// action menu, so that what they log while being made is behind the test.
#pragma once

// False when the roots could not be mounted or the cursor or menu could not be made.
bool PrepareSampleGame();
