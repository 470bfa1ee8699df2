// Told by a voiced line when it has ended: its stream has run out.
// The listener may delete the line from inside the call.
#pragma once

class GMVoicedLine;

class GMIVoicedLineListener
{
public:
    virtual ~GMIVoicedLineListener();
    virtual void OnLineEnded(GMVoicedLine* aLine) = 0;
};
