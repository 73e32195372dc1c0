// Replaces the data of every channel by its hourly means: one value per hour, stamped at the
// start of the hour, from the valid samples of that hour. Undo (Ctrl+Z) gives the recorded data
// back in one step.
var HOUR = 3600 * 1000;
var info = app.info();
console.log(info.appName + " " + info.appVersion + ": hourly means of " + app.channelCount() + " channels");

app.channels().forEach(function (channel) {
    var blocks = [];
    for (var b = 0; b < channel.blockCount; ++b) {
        var block = channel.block(b);
        var times = block.times(), values = block.values();
        var outTimes = [], outValues = [];
        var hour = null, sum = 0, count = 0;
        for (var i = 0; i <= times.length; ++i) {
            var h = i < times.length ? Math.floor(times[i] / HOUR) * HOUR : null;
            if (h !== hour && hour !== null) {
                outTimes.push(hour);
                outValues.push(count > 0 ? sum / count : null);
                sum = 0;
                count = 0;
            }
            if (i === times.length) break;
            hour = h;
            if (values[i] !== null) {
                sum += values[i];
                count += 1;
            }
        }
        blocks.push({ times: outTimes, values: outValues });
    }
    app.replace(channel, { blocks: blocks });
});
