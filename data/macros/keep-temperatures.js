// Deletes every channel that does not hold temperatures (data kinds 1 Celsius and 2 Fahrenheit),
// so a recording of temperature and humidity shows its temperatures alone. Undo (Ctrl+Z) brings
// the channels back in one step.
var others = app.channels().filter(function (channel) {
    return channel.kind !== 1 && channel.kind !== 2;
});
var deleted = app.remove(others);
console.log("deleted " + deleted + " channels; " + app.channelCount() + " left");
